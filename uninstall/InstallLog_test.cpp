#include "uninstall/InstallLog.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/Text.h"
#include "uninstall/RemovalPlan.h"

namespace uninstall {
namespace {

using Names = std::vector<std::string>;
using namespace std::string_literals;

TEST(InstallLog, OnlyFileLinesCountAndTheirNamesAreNormalised) {
  const std::string longName = std::string(1500, 'l') + ".dat";
  const std::string log =
      "Vistrel install log\r\n"
      "[FILE] C:\\Program Files\\X\\Data\\A.DAT\r\n"
      "[FILE] \\Help\\index.htm\n"
      "[file] lower-case-tag.dat\r"
      "  [FILE] blank-before-tag.dat\n"
      "\r\n\n"
      "[FILE]   Data\\B.Dat \t\r\n"
      "[FILE]NoBlank.dat\n"
      "[FILE] uninstall.exe\n"
      "[FILE] \\Uninstall.exe\n"
      "[FILE] old\\UNINSTALL.EXE.bak\n"
      // GBK: the trail bytes of 係 and 並 are 'S' and 'K'.
      "[FILE] \\" + text::ToGb("係\\並.TXT") + "\n"
      "[FILE] " + longName + "\r\n"
      "[FILE] last.dat";
  EXPECT_EQ(InstalledFileNames(log), (Names{"c:\\program files\\x\\data\\a.dat", "help\\index.htm", "data\\b.dat",
                                            "[file]noblank.dat", "係\\並.txt", std::string(1500, 'l') + ".dat",
                                            "last.dat"}));
  // The text ends at a NUL byte.
  EXPECT_EQ(InstalledFileNames("[FILE] a.dat\n[FILE] b.dat\0\n[FILE] c.dat"s),
            (Names{"a.dat", "b.dat"}));
  EXPECT_TRUE(InstalledFileNames("").empty());
}

TEST(InstallLog, RelativeNamesStayInsideTheFolder) {
  const std::string folder = "C:\\Apps\\Vistrel\\";
  auto resolve = [&](const std::string& name) { return ResolveInstalledFile(folder, name); };
  EXPECT_EQ(resolve("c:\\program files\\x\\data\\a.dat"), "c:\\program files\\x\\data\\a.dat");
  EXPECT_EQ(resolve("help\\index.htm"), folder + "help\\index.htm");
  EXPECT_EQ(resolve("data/./skin//a.bmp"), folder + "data\\skin\\a.bmp");
  EXPECT_EQ(resolve("data\\..\\brova.exe"), folder + "brova.exe");
  for (const char* outside : {"..\\other.dll", "data\\..\\..\\x.dll", "\\windows\\x.dll", "/x.dll", "d:x.dll",
                              "brova.exe:stream", "...\\x.dll", ". .\\x.dll", "data\\..", ".", ""})
    EXPECT_EQ(resolve(outside), std::nullopt) << outside;
}

TEST(InstallLog, PlanListsTheLoggedFilesFoldersShortcutsInOrder) {
  RemovalPlan plan = PlanRemoval("C:\\Apps\\Vistrel\\",
                                 "[FILE] \\brova.exe\r\n[FILE] \\Uninstall.exe\r\n[FILE] \\\\..\\boot.ini\r\n"
                                 "[FILE] ..\\Other\\a.dll\r\n[FILE] \\data\\trelk.dll\r\n",
                                 "C:\\Users\\u\\Desktop", "C:\\Users\\u\\Start Menu\\Programs", "Vistrel");
  EXPECT_EQ(plan.files, (Names{"C:\\Apps\\Vistrel\\brova.exe", "C:\\Apps\\Vistrel\\data\\trelk.dll"}));
  EXPECT_EQ(plan.skippedNames, (Names{"\\..\\boot.ini", "..\\other\\a.dll"}));
  EXPECT_EQ(plan.folders,
            (Names{"C:\\Apps\\Vistrel\\data", "C:\\Apps\\Vistrel\\help", "C:\\Apps\\Vistrel\\script"}));
  EXPECT_EQ(plan.shortcuts, (Names{"C:\\Users\\u\\Desktop\\Vistrel.lnk",
                                   "C:\\Users\\u\\Start Menu\\Programs\\Vistrel\\Vistrel.lnk",
                                   "C:\\Users\\u\\Start Menu\\Programs\\Vistrel\\卸载.lnk"}));
  EXPECT_EQ(plan.startMenuFolder, "C:\\Users\\u\\Start Menu\\Programs\\Vistrel");
  RemovalPlan bare = PlanRemoval("C:\\A\\", "", "", "", "Vistrel");
  EXPECT_TRUE(bare.files.empty());
  EXPECT_TRUE(bare.shortcuts.empty());
  EXPECT_EQ(bare.startMenuFolder, "");
}

}  // namespace
}  // namespace uninstall
