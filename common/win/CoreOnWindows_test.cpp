// The portable core on Windows: atomic file replacement under a Chinese
// name and text as UTF-16.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/File.h"
#include "common/Text.h"
#include "tests/support/TempFolder_windows.h"

namespace {

TEST(FileOnWindows, WriteAtomicReplacesAnExistingFileWhole) {
  TempFolder tmp;
  std::string path = tmp.path() + "brova_测试.dat";
  ASSERT_TRUE(file::WriteAtomic(path, "old content that is longer"));
  ASSERT_TRUE(file::WriteAtomic(path, "new"));
  std::string back;
  ASSERT_TRUE(file::ReadAll(path, back));
  EXPECT_EQ(back, "new");
  EXPECT_TRUE(file::Remove(path));
}

TEST(TextOnWindows, WideTextIsUtf16WithSurrogatePairs) {
  std::wstring w = text::Widen("中\xF0\x9F\x98\x80");
  ASSERT_EQ(w.size(), 3u);
  EXPECT_EQ(w[0], 0x4E2D);
  EXPECT_EQ(w[1], 0xD83D);
  EXPECT_EQ(text::Narrow(w), "中\xF0\x9F\x98\x80");
}

}  // namespace
