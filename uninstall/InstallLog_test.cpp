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
                                 "[FILE] \\Install.LOG\r\n[FILE] ..\\Other\\a.dll\r\n[FILE] \\data\\trelk.dll\r\n",
                                 "C:\\Users\\u\\Desktop", "C:\\Users\\u\\Start Menu\\Programs", "Vistrel");
  EXPECT_EQ(plan.files, (Names{"C:\\Apps\\Vistrel\\brova.exe", "C:\\Apps\\Vistrel\\data\\trelk.dll"}));
  EXPECT_EQ(plan.fileNames, (Names{"brova.exe", "data\\trelk.dll"}));
  EXPECT_EQ(plan.logFile, "C:\\Apps\\Vistrel\\install.log");
  EXPECT_EQ(plan.skippedNames, (Names{"\\..\\boot.ini", "..\\other\\a.dll"}));
  EXPECT_EQ(plan.folders,
            (Names{"C:\\Apps\\Vistrel\\data", "C:\\Apps\\Vistrel\\help", "C:\\Apps\\Vistrel\\script"}));
  EXPECT_EQ(plan.shortcuts, (Names{"C:\\Users\\u\\Desktop\\Vistrel.lnk",
                                   "C:\\Users\\u\\Start Menu\\Programs\\Vistrel\\Vistrel.lnk"}));
  EXPECT_EQ(plan.uninstallShortcut, "C:\\Users\\u\\Start Menu\\Programs\\Vistrel\\卸载.lnk");
  EXPECT_EQ(plan.startMenuFolder, "C:\\Users\\u\\Start Menu\\Programs\\Vistrel");
  RemovalPlan bare = PlanRemoval("C:\\A\\", "", "", "", "Vistrel");
  EXPECT_TRUE(bare.files.empty());
  EXPECT_TRUE(bare.shortcuts.empty());
  EXPECT_EQ(bare.uninstallShortcut, "");
  EXPECT_EQ(bare.startMenuFolder, "");
}

// The log left for the next run reads back as the names that remained, with
// the log's own line, in GBK.
TEST(InstallLog, TheRemainingLogReadsBackAsWhatRemains) {
  const Names remaining{"brova.exe", "c:\\other\\x.dat", "帮助\\並.txt", "data\\a b.dat"};
  const std::string log = RemainingLog(remaining);
  EXPECT_EQ(log, text::ToGb("[FILE] brova.exe\r\n[FILE] c:\\other\\x.dat\r\n[FILE] 帮助\\並.txt\r\n"
                            "[FILE] data\\a b.dat\r\n[FILE] \\install.log\r\n"));
  Names names = remaining;
  names.push_back("install.log");
  EXPECT_EQ(InstalledFileNames(log), names);
  EXPECT_EQ(RemainingLog({}), "[FILE] \\install.log\r\n");
}

TEST(InstallLog, TheClosingNoteNamesTheUsersFilesThatStay) {
  const std::string folder = "C:\\Apps\\Vistrel\\";
  auto present = [&](Names names) {
    return [=](const std::string& path) {
      for (const std::string& n : names)
        if (path == folder + n) return true;
      return false;
    };
  };
  const std::string snapshot = folder + "snapshot\\";  // the default capture folder, as the settings give it
  EXPECT_EQ(KeptUserFilesNote(folder, snapshot, present({})), "");
  EXPECT_EQ(KeptUserFilesNote(folder, snapshot, present({"Snapshot", "account", "data\\snapshot.dat", "data3"})),
            "你自己的文件仍保留在 C:\\Apps\\Vistrel\\ 中:\n截图: Snapshot\n账目: account\n"
            "设置: data\\snapshot.dat、data3");
  EXPECT_EQ(KeptUserFilesNote(folder, "", present({"data\\plan.ini"})),
            "你自己的文件仍保留在 C:\\Apps\\Vistrel\\ 中:\n计划: data\\plan.ini");
  // A capture folder of the user's choice is named when it is there.
  auto alsoPictures = [&](const std::string& path) { return path == "D:\\Pictures\\" || path == folder + "account"; };
  EXPECT_EQ(KeptUserFilesNote(folder, "D:\\Pictures\\", alsoPictures),
            "你自己的文件仍保留在 C:\\Apps\\Vistrel\\ 中:\n账目: account\n截图保存目录: D:\\Pictures\\");
  EXPECT_EQ(KeptUserFilesNote(folder, "D:\\Gone\\", present({})), "");
  EXPECT_EQ(KeptUserFilesNote(folder, "D:\\Pictures\\", [](const std::string& p) { return p == "D:\\Pictures\\"; }),
            "截图保存目录: D:\\Pictures\\");
}

}  // namespace
}  // namespace uninstall
