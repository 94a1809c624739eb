#include "common/KeyNameTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(KeyNameTable, HoldsTheKeysInOrderWithTheirCodes) {
  const CKeyNameTable& t = CKeyNameTable::Get();
  ASSERT_EQ(t.Count(), 119);
  EXPECT_EQ(t.Name(0), "无");
  EXPECT_EQ(t.KeyOfIndex(0), 0);
  EXPECT_EQ(t.Name(1), "VK_BACK");
  EXPECT_EQ(t.KeyOfIndex(1), 0x08);
  EXPECT_EQ(t.Name(24), "0");
  EXPECT_EQ(t.Name(34), "A");
  EXPECT_EQ(t.KeyOfIndex(59), 0x5A);
  EXPECT_EQ(t.Name(60), "VK_NUMPAD0");
  EXPECT_EQ(t.Name(76), "VK_F1");
  EXPECT_EQ(t.Name(99), "VK_F24");
  EXPECT_EQ(t.KeyOfIndex(99), 0x87);
  EXPECT_EQ(t.Name(116), "VK_OEM_5(\\)");
  EXPECT_EQ(t.Name(118), "VK_OEM_7(')");
  EXPECT_EQ(t.KeyOfIndex(118), 0xDE);
  // Codes rise strictly through the table, so each code has one entry.
  for (int i = 1; i < t.Count(); ++i) EXPECT_GT(t.KeyOfIndex(i), t.KeyOfIndex(i - 1)) << t.Name(i);
}

TEST(KeyNameTable, LookupsFallBackToNone) {
  const CKeyNameTable& t = CKeyNameTable::Get();
  int index = -1;
  EXPECT_EQ(t.EntryOfKey(0x74, &index).name, "VK_F5");
  EXPECT_EQ(t.Name(index), "VK_F5");
  EXPECT_EQ(t.IndexOfKey(0x31), 25);
  EXPECT_EQ(t.EntryOfKey(0xAD, &index).name, "无");  // a media key
  EXPECT_EQ(index, 0);
  EXPECT_EQ(t.IndexOfKey(0x131), 0);
  EXPECT_EQ(t.KeyOfIndex(-1), 0);
  EXPECT_EQ(t.KeyOfIndex(119), 0);
  EXPECT_EQ(t.Name(-1), "");
}

TEST(KeyNameTable, RecordParsing) {
  KeyName k;
  ASSERT_TRUE(CKeyNameTable::ParseRecord("VK_X 5a note with blanks", k));
  EXPECT_EQ(k.name, "VK_X");
  EXPECT_EQ(k.code, 0x5A);
  EXPECT_FALSE(CKeyNameTable::ParseRecord("VK_X 5", k));
  EXPECT_FALSE(CKeyNameTable::ParseRecord("VK_X zz note", k));
  EXPECT_FALSE(CKeyNameTable::ParseRecord("nospace", k));
}

}  // namespace
