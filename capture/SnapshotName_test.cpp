#include "capture/SnapshotName.h"

#include <gtest/gtest.h>

namespace {

TEST(SnapshotName, ZeroPaddedMomentAfterTheFolder) {
  EXPECT_EQ(SnapshotFilePath("C:\\brova\\Snapshot\\", 2024, 1, 2, 3, 4, 5),
            "C:\\brova\\Snapshot\\Snapshot20240102030405.bmp");
  EXPECT_EQ(SnapshotFilePath("D:", 2009, 12, 31, 23, 59, 58), "D:Snapshot20091231235958.bmp");
  EXPECT_EQ(SnapshotFilePath("D:\\截图\\", 999, 10, 10, 0, 0, 0), "D:\\截图\\Snapshot09991010000000.bmp");
}

}  // namespace
