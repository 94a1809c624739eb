#include "common/WholeFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <string>

#include "tests/support/TempFolderTest.h"
#include "common/File.h"

namespace {

class WholeFileTest : public TempFolderTest {
 protected:
  std::string Write(const std::string& bytes) {
    std::string path = dir_ + "/config.dat";
    EXPECT_TRUE(file::WriteAtomic(path, bytes));
    return path;
  }
};

TEST_F(WholeFileTest, LinesAreUntrimmedAndAnyBreakRunIsOne) {
  for (const char* text : {"  a \r\n\r\nb\r\n", "  a \n\nb", "\r  a \r\r\rb\r"}) {
    CWholeFile f;
    ASSERT_EQ(f.Load(Write(text)), CWholeFile::kLoaded);
    std::string line;
    ASSERT_EQ(f.ReadLine(line), 0);
    EXPECT_EQ(line, "  a ");
    ASSERT_EQ(f.ReadLine(line), 0);
    EXPECT_EQ(line, "b");
    EXPECT_EQ(f.ReadLine(line), 1);
  }
}

TEST_F(WholeFileTest, SeekPrefixMovesForwardOnly) {
  CWholeFile f;
  ASSERT_EQ(f.Load(Write("  [MAIN_PAGE_END]\r\n[dialog_prompt_list_position]\r\n// c\r\n10,20\r\n"
                         "[BITMAP_BACKGROUND_PROMPT] x\r\nbg.bmp\r\n")),
            0);
  std::string line;
  // Blanks before the bracket hide the key from a prefix match.
  EXPECT_EQ(f.SeekPrefix("[MAIN_PAGE_END]", line), 1);
  f.Rewind();
  ASSERT_EQ(f.SeekPrefix("[DIALOG_PROMPT_LIST_POSITION]", line), 0);
  EXPECT_EQ(line, "[dialog_prompt_list_position]");
  ASSERT_EQ(f.NextContentLine(line), 0);
  EXPECT_EQ(line, "10,20");
  ASSERT_EQ(f.SeekPrefix("[BITMAP_BACKGROUND_PROMPT]", line), 0);
  EXPECT_EQ(line, "[BITMAP_BACKGROUND_PROMPT] x");
  // Asked out of order, the earlier key is no longer found.
  EXPECT_EQ(f.SeekPrefix("[DIALOG_PROMPT_LIST_POSITION]", line), 1);
}

TEST_F(WholeFileTest, LongLineIsCutAndItsRestSkipped) {
  CWholeFile f;
  ASSERT_EQ(f.Load(Write(std::string(1500, 'x') + "\r\nnext\r\n")), 0);
  std::string line;
  ASSERT_EQ(f.ReadLine(line), 0);
  EXPECT_EQ(line, std::string(999, 'x'));
  ASSERT_EQ(f.ReadLine(line), 0);
  EXPECT_EQ(line, "next");
  f.Rewind();
  ASSERT_EQ(f.ReadLine(line, 4), 0);
  EXPECT_EQ(line, "xxxx");
}

TEST_F(WholeFileTest, NulEndsTextAndBytesStayRaw) {
  CWholeFile f;
  ASSERT_EQ(f.Load(Write(std::string("\xBD\xD8\r\n\0MAIN_PAGE_END\r\n", 19))), 0);
  std::string line;
  ASSERT_EQ(f.ReadLine(line), 0);
  EXPECT_EQ(line, "\xBD\xD8");
  EXPECT_EQ(f.SeekPrefix("MAIN_PAGE_END", line), 1);
}

TEST_F(WholeFileTest, MissingFileAndReleaseGiveNoLines) {
  CWholeFile f;
  EXPECT_EQ(f.Load(dir_ + "/missing.dat"), CWholeFile::kCannotOpen);
  std::string line;
  EXPECT_EQ(f.ReadLine(line), 1);
  ASSERT_EQ(f.Load(Write("a\r\n")), 0);
  f.Release();
  EXPECT_EQ(f.ReadLine(line), 1);
  EXPECT_EQ(f.Load(Write("")), 0);  // empty file is read, with no lines
  EXPECT_EQ(f.ReadLine(line), 1);
}

}  // namespace
