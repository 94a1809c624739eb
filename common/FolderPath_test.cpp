#include "common/FolderPath.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/File.h"
#include "common/FolderChain.h"

namespace {

using Paths = std::vector<std::string>;

TEST(FolderPath, PrefixesFromTheColonOn) {
  EXPECT_EQ(FolderPrefixes("C:\\Program Files\\brova\\data\\"),
            (Paths{"C:\\", "C:\\Program Files\\", "C:\\Program Files\\brova\\", "C:\\Program Files\\brova\\data\\"}));
  EXPECT_EQ(FolderPrefixes("C:/a//b\\\\\\c/file.txt"), (Paths{"C:\\", "C:\\a\\", "C:\\a\\b\\", "C:\\a\\b\\c\\"}));
  EXPECT_EQ(FolderPrefixes("D:\\账本\\export.txt"), (Paths{"D:\\", "D:\\账本\\"}));
  EXPECT_EQ(FolderPrefixes("D:"), Paths{});
  EXPECT_EQ(FolderPrefixes("D:file"), Paths{});
  EXPECT_EQ(FolderPrefixes("data\\plan.ini"), Paths{});         // no colon
  EXPECT_EQ(FolderPrefixes(":\\a\\b\\"), Paths{});              // colon first
  EXPECT_EQ(FolderPrefixes("\\\\server\\share\\x\\"), Paths{});  // network path
}

TEST(FolderPath, CreatesEveryFolderButNotTheFileName) {
  char tmpl[] = "/tmp/brova_folders_XXXXXX";
  std::string dir = mkdtemp(tmpl);
  char old[4096];
  ASSERT_NE(getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(chdir(dir.c_str()), 0);
  // On this host "X:" is an ordinary relative folder name.
  MakeFolderPath("X:/a\\\\b/file.txt");
  ASSERT_TRUE(file::CreateDir("Y:"));  // the drive; its root is never created
  CreateFolderChain("Y:\\c\\d\\Snapshot.bmp");
  EXPECT_TRUE(file::IsDirectory("X:/a/b"));
  EXPECT_FALSE(file::Exists("X:/a/b/file.txt"));
  EXPECT_TRUE(file::IsDirectory("Y:/c/d"));
  EXPECT_FALSE(file::Exists("Y:/c/d/Snapshot.bmp"));
  MakeFolderPath("X:/a/b/");  // existing folders are no error
  EXPECT_TRUE(file::IsDirectory("X:/a/b"));
  ASSERT_EQ(chdir(old), 0);
  std::system(("rm -rf " + dir).c_str());
}

}  // namespace
