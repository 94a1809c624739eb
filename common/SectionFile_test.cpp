#include "common/SectionFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/TempFolderTest.h"
#include "common/File.h"

namespace {

class SectionFileTest : public TempFolderTest {
 protected:
  CSectionFile Loaded(const std::string& bytes) {
    std::string path = dir_ + "/main.htm";
    EXPECT_TRUE(file::WriteAtomic(path, bytes));
    CSectionFile f;
    EXPECT_EQ(f.Load(path), 0);
    return f;
  }
  std::vector<std::string> AllLines(CSectionFile& f) {
    std::vector<std::string> lines;
    std::string line;
    while (f.NextLine(line) == 0) lines.push_back(line);
    return lines;
  }
};

TEST_F(SectionFileTest, LineEndsOfEveryKindGiveTheSameTrimmedLines) {
  const std::vector<std::string> expected = {"[HOME_PAGE]", "a b", "last"};
  for (const char* text : {"[HOME_PAGE]\r\n  a b \t\r\n\r\n\r\nlast", "\n[HOME_PAGE]\n a b\n\n\nlast\n",
                           "\r\r[HOME_PAGE]\r\ta b\r\r\rlast\r"}) {
    CSectionFile f = Loaded(text);
    EXPECT_EQ(AllLines(f), expected) << text;
    std::string out = "unchanged";
    EXPECT_EQ(f.NextLine(out), 1);
    EXPECT_EQ(out, "unchanged");
  }
}

TEST_F(SectionFileTest, GetValueSkipsCommentsAndMatchesKeyWithoutCase) {
  CSectionFile f = Loaded(
      "// launcher page\r\n"
      "  [home_page]  \r\n"
      "// the value follows\r\n"
      "  //indented comment\r\n"
      "http://example.test/?brova\r\n"
      "[SEARCH_WORD]\r\n"
      "/single slash is content\r\n"
      "[SEARCH_URL]");
  EXPECT_EQ(f.GetValue("[HOME_PAGE]"), "http://example.test/?brova");
  EXPECT_EQ(f.GetValue("[SEARCH_WORD]"), "/single slash is content");
  // Each lookup starts at the top, so order does not matter.
  EXPECT_EQ(f.GetValue("[HOME_PAGE]"), "http://example.test/?brova");
  EXPECT_EQ(f.GetValue("[SEARCH_URL]"), "");  // key is the last line
  EXPECT_EQ(f.GetValue("[MISSING]"), "");
}

TEST_F(SectionFileTest, GbkBytesBecomeUtf8AndNulEndsTheText) {
  // "截屏" in GBK, then a NUL and a key that must not be seen.
  CSectionFile f = Loaded(std::string("[NAME]\r\n\xBD\xD8\xC6\xC1\r\n\0[AFTER]\r\nx\r\n", 26));
  EXPECT_EQ(f.GetValue("[NAME]"), "截屏");
  EXPECT_EQ(f.GetValue("[AFTER]"), "");
}

TEST_F(SectionFileTest, MissingFileBehavesAsEmpty) {
  CSectionFile f = Loaded("[HOME_PAGE]\nold\n");
  EXPECT_EQ(f.Load(dir_ + "/missing.htm"), 1);
  EXPECT_EQ(f.GetValue("[HOME_PAGE]"), "");
  std::vector<std::string> list = {"stale"};
  EXPECT_EQ(f.ReadList("[BUTTON_LIST_BEGIN]", "[BUTTON_LIST_END]", list), 0);
  EXPECT_TRUE(list.empty());
}

TEST_F(SectionFileTest, ReadListStopsAtExactEndLineOrCapacity) {
  std::string text = "[button_list_begin]\r\n// first comment\r\n";
  for (int i = 0; i < 60; ++i) text += "entry" + std::to_string(i) + "*\r\n";
  CSectionFile f = Loaded(text + "[BUTTON_LIST_END]\r\n");
  std::vector<std::string> list;
  ASSERT_EQ(f.ReadList("[BUTTON_LIST_BEGIN]", "[BUTTON_LIST_END]", list, 50), 50);
  EXPECT_EQ(list.front(), "entry0*");
  EXPECT_EQ(list.back(), "entry49*");

  CSectionFile g = Loaded(
      "[M_BEGIN]\r\na*\r\n[m_end]\r\nb*\r\n[M_END]\r\nafter*\r\n");
  EXPECT_EQ(g.ReadList("[M_BEGIN]", "[M_END]", list), 3);
  EXPECT_EQ(list, (std::vector<std::string>{"a*", "[m_end]", "b*"}));

  CSectionFile h = Loaded("[M_BEGIN]\r\na*\r\nb*");  // no end line
  EXPECT_EQ(h.ReadList("[M_BEGIN]", "[M_END]", list), 2);
  EXPECT_EQ(h.ReadList("[X_BEGIN]", "[X_END]", list), 0);
}

TEST_F(SectionFileTest, NextContentLineReadsRecordsInOrder) {
  CSectionFile f = Loaded("//header\r\nrec1\r\n//c\r\n\r\nrec2\r\n//tail");
  std::string line;
  ASSERT_EQ(f.NextContentLine(line), 0);
  EXPECT_EQ(line, "rec1");
  ASSERT_EQ(f.NextContentLine(line), 0);
  EXPECT_EQ(line, "rec2");
  EXPECT_EQ(f.NextContentLine(line), 1);
  f.Rewind();
  ASSERT_EQ(f.NextContentLine(line), 0);
  EXPECT_EQ(line, "rec1");
}

}  // namespace
