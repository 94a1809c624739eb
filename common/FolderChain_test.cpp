#include "common/FolderChain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::string>;

TEST(FolderChain, PrefixesSkipTheDriveRoot) {
  EXPECT_EQ(FolderChainPrefixes("C:\\brova\\Snapshot\\Snapshot20240102030405.bmp"),
            (Paths{"C:\\brova\\", "C:\\brova\\Snapshot\\"}));
  EXPECT_EQ(FolderChainPrefixes("D:Snapshot20240102030405.bmp"), Paths{});  // two-character folder
  EXPECT_EQ(FolderChainPrefixes("D:\\x.bmp"), Paths{});
  EXPECT_EQ(FolderChainPrefixes("D:\\"), Paths{});
  EXPECT_EQ(FolderChainPrefixes("ab"), Paths{});
}

}  // namespace
