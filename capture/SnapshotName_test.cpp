#include "capture/SnapshotName.h"

#include <gtest/gtest.h>

namespace {

TEST(SnapshotName, ZeroPaddedMomentAfterTheFolder) {
  EXPECT_EQ(SnapshotFilePath("C:\\brova\\Snapshot\\", 2024, 1, 2, 3, 4, 5),
            "C:\\brova\\Snapshot\\Snapshot20240102030405.bmp");
  EXPECT_EQ(SnapshotFilePath("D:", 2009, 12, 31, 23, 59, 58), "D:Snapshot20091231235958.bmp");
  EXPECT_EQ(SnapshotFilePath("D:\\截图\\", 999, 10, 10, 0, 0, 0), "D:\\截图\\Snapshot09991010000000.bmp");
}

TEST(SnapshotName, VariantsOfATakenNameKeepFolderAndExtension) {
  const std::string p = "C:\\a.b\\Snapshot20240102030405.bmp";
  EXPECT_EQ(SnapshotPathVariant(p, 1), p);
  EXPECT_EQ(SnapshotPathVariant(p, 2), "C:\\a.b\\Snapshot20240102030405_2.bmp");
  EXPECT_EQ(SnapshotPathVariant(p, 13), "C:\\a.b\\Snapshot20240102030405_13.bmp");
  EXPECT_EQ(SnapshotPathVariant("D:Snapshot20091231235958.bmp", 3), "D:Snapshot20091231235958_3.bmp");
  EXPECT_EQ(SnapshotPathVariant("C:\\a.b\\noext", 2), "C:\\a.b\\noext_2");
}

}  // namespace
