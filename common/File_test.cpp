#include "common/File.h"
#include "common/TempFolderTest.h"

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
