#include "online/SafePath.h"

#include <gtest/gtest.h>

namespace {

TEST(SafePath, RelativePathsInsideTheFolderPass) {
  for (const char* path : {"brova.exe", "data\\brova_new.exe", "data/skin/a.bmp", ".hidden", "a.b\\c..d", "x.",
                           "\xd6\xd0\xce\xc4\\a.txt"})
    EXPECT_TRUE(IsSafeRelativePath(path)) << path;
}

TEST(SafePath, RootsDrivesParentsAndOddComponentsAreRefused) {
  for (const char* path : {"", "\\abs.txt", "/etc/passwd", "\\\\server\\share\\x", "C:\\x.exe", "c:x.exe",
                           "data\\file.txt:stream", "..\\brova.exe", "data\\..\\..\\x", "data/../../x", "..",
                           "data\\.\\x", "data\\... \\x", "data\\ ..\\x", "data\\", "data\\\\x", "a\tb", "a\nb"})
    EXPECT_FALSE(IsSafeRelativePath(path)) << path;
}

}  // namespace
