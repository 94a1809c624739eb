#include "online/SafePath.h"

#include <gtest/gtest.h>

namespace {

TEST(SafePath, RelativePathsInsideTheFolderPass) {
  for (const char* path : {"brova.exe", "data\\brova_new.exe", "data/skin/a.bmp", ".hidden", "a.b\\c..d", "x.",
                           "\xd6\xd0\xce\xc4\\a.txt", "console.txt", "com10", "lpt0", "comx", "nul_", "auxiliary\\prn1",
                           "data\\a.con", "con_\\x"})
    EXPECT_TRUE(IsSafeRelativePath(path)) << path;
}

TEST(SafePath, RootsDrivesParentsAndOddComponentsAreRefused) {
  for (const char* path : {"", "\\abs.txt", "/etc/passwd", "\\\\server\\share\\x", "C:\\x.exe", "c:x.exe",
                           "data\\file.txt:stream", "..\\brova.exe", "data\\..\\..\\x", "data/../../x", "..",
                           "data\\.\\x", "data\\... \\x", "data\\ ..\\x", "data\\", "data\\\\x", "a\tb", "a\nb",
                           // Device names, with any case, extension or trailing blanks, in any component.
                           "con", "NUL", "aux.txt", "data\\prn.log", "COM1", "com9.dat", "Lpt1", "lpt9.a.b",
                           "data\\con\\x.txt", "nul .txt", "con.", "data/CONOUT$"})
    EXPECT_FALSE(IsSafeRelativePath(path)) << path;
}

}  // namespace
