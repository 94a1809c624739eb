#include "common/File.h"
#include "common/TempFile.h"
#include "tests/support/TempFolderTest.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

class FileTest : public TempFolderTest {
 protected:
};

TEST_F(FileTest, WriteAtomicReplacesWholeAndLeavesNoTemporary) {
  std::string path = dir_ + "\\plan.ini";  // program-style separator
  ASSERT_TRUE(file::WriteAtomic(path, "first version, longer than the second"));
  ASSERT_TRUE(file::WriteAtomic(path, "second"));
  std::string back;
  ASSERT_TRUE(file::ReadAll(path, back));
  EXPECT_EQ(back, "second");
  EXPECT_EQ(std::system(("test $(ls " + dir_ + " | wc -l) -eq 1").c_str()), 0);
}

TEST_F(FileTest, WriteAtomicIntoMissingFolderFailsAndKeepsNothing) {
  EXPECT_FALSE(file::WriteAtomic(dir_ + "/missing/x.dat", "data"));
  EXPECT_FALSE(file::Exists(dir_ + "/missing"));
}

// The free-name commit of the one temporary-file writer: a taken name is
// never replaced, and a file that is not committed leaves nothing.
TEST_F(FileTest, TempFileMovesOnlyToAFreeNameAndLeavesNothingUncommitted) {
  const std::string taken = PathOf("a.bmp"), free = PathOf("a(2).bmp");
  ASSERT_TRUE(file::WriteAtomic(taken, "earlier capture"));
  {
    file::CTempFile temp(taken);
    ASSERT_TRUE(temp);
    ASSERT_TRUE(temp.Write("new\0bytes", 9));
    ASSERT_TRUE(temp.Close(false));
    EXPECT_EQ(temp.MoveTo(taken), file::CTempFile::kNameTaken);
    EXPECT_EQ(temp.MoveTo(free), file::CTempFile::kMoved);
  }
  std::string back;
  ASSERT_TRUE(file::ReadAll(taken, back));
  EXPECT_EQ(back, "earlier capture");
  ASSERT_TRUE(file::ReadAll(free, back));
  EXPECT_EQ(back, std::string("new\0bytes", 9));
  {
    file::CTempFile dropped(taken);
    ASSERT_TRUE(dropped.Write("x", 1));
  }
  EXPECT_EQ(file::ListFiles(dir_ + "/", "").size(), 2u) << "no temporary file stays";
}

TEST_F(FileTest, ReadAllRefusesFilesOverTheLimit) {
  ASSERT_TRUE(file::WriteAtomic(dir_ + "/big", std::string(1000, 'x')));
  std::string out;
  EXPECT_FALSE(file::ReadAll(dir_ + "/big", out, 999));
  EXPECT_TRUE(file::ReadAll(dir_ + "/big", out, 1000));
  EXPECT_FALSE(file::ReadAll(dir_ + "/none", out));
  EXPECT_EQ(file::Size(dir_ + "/big"), 1000);
  EXPECT_EQ(file::Size(dir_ + "/none"), -1);
}

}  // namespace
