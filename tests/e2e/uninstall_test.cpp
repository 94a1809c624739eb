// The setup program and Uninstall.exe as a user meets them: setup installs
// the staged folder with its log, shortcuts and uninstall entry; Uninstall
// asks, removes what the log names, and reports the removal once to the
// maker's site (a server of the test on 127.0.0.1, named by VISTREL_SITE).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "common/Text.h"
#include "tests/support/CaptureCheck.h"
#include "tests/support/E2e.h"
#include "tests/support/LocalServer.h"

namespace {

using namespace e2e;
using testsupport::LocalServer;

const std::string kSetup = std::string(BROVA_BUILD_DIR) + "/brova-setup.exe";
const std::string kStage = BROVA_STAGE_DIR;
const std::string kProbe = std::string(BROVA_BUILD_DIR) + "/win/probe.exe";
const char kTitle[] = "卸载 Vistrel";
const char kDone[] = "卸载成功,请重新启动操作系统";
const char kKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vistrel";
constexpr int kQuestion = 1001, kAdminHelp = 1002, kConfirm = 1, kCancel = 2;
constexpr int kLongBoundMs = 120000;
const std::string kReport =
    "GET /kivvo/unsetup.asp?flag=Vistrel HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: */*\r\n"
    "User-Agent: Mozilla/4.0 (compatible; MSIE 5.01; Windows NT 5.0)\r\nPragma: no-cache\r\n"
    "Cache-Control: no-cache\r\nRange: bytes=0-\r\nConnection: close\r\n\r\n";

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// The files below dir, relative and sorted, as the build lists them in the log.
std::vector<std::string> StagedFiles(const std::string& dir, const std::string& prefix = "") {
  std::vector<std::string> out;
  for (const std::string& name : ListDir(dir + prefix)) {
    struct stat st {};
    std::string rel = prefix + name;
    if (stat((dir + rel).c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
      for (const std::string& f : StagedFiles(dir, rel + "/")) out.push_back(f);
    } else {
      out.push_back(rel);
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

// A session whose Wine user folders are folders of its own: the template
// links the desktop to the Linux home, which tests must not write into.
class UninstallTest : public ::testing::Test {
 protected:
  UninstallTest() {
    // The session's prefix keeps its user folders to itself (no links into
    // the home folder), so the shortcuts land inside it.
    const std::string users = s_.workDir() + "/prefix/drive_c/users/";
    for (const std::string& user : ListDir(users))
      if (user != "Public") userDir_ = users + user + "/";
  }

  std::string Drive(const std::string& rest) const { return s_.workDir() + "/prefix/drive_c/" + rest; }
  std::string Desktop() const { return userDir_ + "Desktop/"; }
  std::string Programs() const { return userDir_ + "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/"; }
  std::optional<std::string> RegRead(const std::string& view, const std::string& name) {
    RunResult r = s_.Winctl("reg-read " + ShellQuote(view + "\\" + kKey) + " " + ShellQuote(name));
    if (r.status != 0) return std::nullopt;
    while (!r.out.empty() && (r.out.back() == '\n' || r.out.back() == '\r')) r.out.pop_back();
    return r.out;
  }

  // Runs the setup program silently into the Windows folder winDir.
  void Install(const std::string& winDir) {
    pid_t setup = s_.Start(kSetup, {"/S", "/D=" + winDir});
    ASSERT_TRUE(s_.WaitForExit(setup, kLongBoundMs)) << "setup never ended";
    ASSERT_EQ(s_.ExitCode(setup), 0);
  }

  // Starts Uninstall.exe and waits for its question.
  pid_t StartUninstall(const std::string& exe) {
    pid_t p = s_.Start(exe);
    auto dialog = s_.WaitForWindow(kTitle, kLongBoundMs);
    EXPECT_TRUE(dialog) << "no uninstall dialog";
    auto question = s_.Item(kTitle, kQuestion);
    EXPECT_TRUE(question && question->text == "你真的要卸载 Vistrel 吗？");
    return p;
  }

  void ClickItem(const std::string& window, int id) {
    auto item = s_.Item(window, id);
    ASSERT_TRUE(item) << "no control " << id;
    Click(s_, item->centerX(), item->centerY());
  }

  // Clicks the button of a message box or question whose text begins with label.
  void ClickButton(const WindowInfo& box, const std::string& label) {
    for (const auto& c : s_.Children(box.handle))
      if (c.cls == "Button" && c.text.rfind(label, 0) == 0) return Click(s_, c.centerX(), c.centerY());
    ADD_FAILURE() << "no button " << label;
  }

  // Waits for the message box of Uninstall that shows text; nullopt when none comes.
  std::optional<WindowInfo> MessageBoxWith(const std::string& text) {
    std::optional<WindowInfo> found;
    Session::WaitUntil([&] {
      for (const auto& w : s_.TopLevelWindows()) {
        if (w.cls != "#32770" || !w.visible || w.text != "Uninstall") continue;
        for (const auto& c : s_.Children(w.handle))
          if (c.text == text) found = w;
      }
      return found.has_value();
    });
    return found;
  }

  Session s_;
  std::string userDir_;
};

TEST_F(UninstallTest, SetupInstallsAndConfirmRemovesWhatTheLogNames) {
  LocalServer server(testsupport::Reply("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nok"), LocalServer::kUnlimited);
  s_.SetEnv("VISTREL_SITE", server.Url(""));
  // A folder name with a character that GBK lacks: every path the
  // uninstaller builds must go through the wide calls.
  ASSERT_NO_FATAL_FAILURE(Install("C:\\软件한\\Vistrel"));
  const std::string dir = Drive("软件한/Vistrel/");
  const std::vector<std::string> staged = StagedFiles(kStage + "/");
  ASSERT_GE(staged.size(), 5u);
  std::string log;
  for (const std::string& f : staged) {
    EXPECT_TRUE(ReadFile(dir + f) == ReadFile(kStage + "/" + f)) << f;
    std::string name = f;
    for (char& c : name)
      if (c == '/') c = '\\';
    log += "[FILE] \\" + name + "\r\n";
  }
  EXPECT_EQ(ReadFile(dir + "install.log"), log + "[FILE] \\install.log\r\n");
  for (const std::string& lnk : {Desktop() + "Vistrel.lnk", Programs() + "Vistrel/Vistrel.lnk",
                                 Programs() + "Vistrel/卸载.lnk"})
    EXPECT_TRUE(Exists(lnk)) << lnk;
  EXPECT_EQ(RegRead("HKLM64", "UninstallString"), "\"C:\\软件한\\Vistrel\\Uninstall.exe\"");
  EXPECT_EQ(RegRead("HKLM64", "DisplayName"), "Vistrel");
  EXPECT_EQ(RegRead("HKLM32", "DisplayName"), std::nullopt);
  // An entry an older 32-bit installer left, and a file of the user's own.
  ASSERT_EQ(s_.Winctl("reg-write " + ShellQuote(std::string("HKLM32\\") + kKey) + " DisplayName Vistrel").status, 0);
  ASSERT_TRUE(WriteFile(dir + "Snapshot.bmp", "a capture of the user"));

  pid_t uninstall = StartUninstall("C:\\软件한\\Vistrel\\Uninstall.exe");
  for (auto [id, text] : {std::pair{kConfirm, "确认"}, {kCancel, "取消"}, {kAdminHelp, "如何用管理员权限运行程序"}}) {
    auto item = s_.Item(kTitle, id);
    EXPECT_TRUE(item && item->text == text) << id;
  }
  s_.KeepScreenshot("uninstall-dialog");
  ClickItem(kTitle, kConfirm);
  auto box = MessageBoxWith(kDone);
  ASSERT_TRUE(box) << "no success message";
  s_.KeepScreenshot("uninstall-done");
  // The report goes when the window does, after the message.
  EXPECT_TRUE(server.Requests().empty());
  ClickButton(*box, "确定");
  ASSERT_TRUE(s_.WaitForExit(uninstall, kLongBoundMs));

  for (const std::string& f : staged)
    EXPECT_EQ(Exists(dir + f), f == "Uninstall.exe") << f;
  EXPECT_FALSE(Exists(dir + "install.log"));
  EXPECT_FALSE(Exists(dir + "data"));
  EXPECT_TRUE(Exists(dir + "Snapshot.bmp"));
  EXPECT_FALSE(Exists(Desktop() + "Vistrel.lnk"));
  EXPECT_FALSE(Exists(Programs() + "Vistrel"));
  EXPECT_EQ(RegRead("HKLM64", "DisplayName"), std::nullopt);
  EXPECT_EQ(RegRead("HKLM32", "DisplayName"), std::nullopt);
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0], kReport);
}

TEST_F(UninstallTest, AboutHelpAndCancelRemoveNothingAndReportOnce) {
  LocalServer server(testsupport::Reply("HTTP/1.1 200 OK\r\n\r\n"), LocalServer::kUnlimited);
  s_.SetEnv("VISTREL_SITE", server.Url(""));
  ASSERT_NO_FATAL_FAILURE(Install("C:\\Vistrel"));
  const std::string dir = Drive("Vistrel/");
  const std::vector<std::string> staged = StagedFiles(kStage + "/");
  // Web pages open in the probe, which logs the address in its current
  // folder, the one Uninstall.exe was started in.
  s_.Shell("cp " + ShellQuote(kProbe) + " " + ShellQuote(s_.appDir() + "/probe.exe"));
  const std::string command = "\"" + Session::WinPath(s_.appDir()) + "\\probe.exe\" \"%1\"";
  ASSERT_EQ(s_.Winctl("reg-write 'HKLM\\Software\\Classes\\http\\shell\\open\\command' '' " + ShellQuote(command))
                .status,
            0);

  pid_t uninstall = StartUninstall("C:\\Vistrel\\Uninstall.exe");
  // The system menu ends with the about item (a screenshot shows it: the
  // items of another program's menu cannot be read under Wine). A click on
  // the question gives the dialog the keyboard; Alt+Space opens the menu.
  auto question = s_.Item(kTitle, kQuestion);
  ASSERT_TRUE(question);
  Click(s_, question->centerX(), question->centerY());
  s_.Xdotool("key alt+space");
  ASSERT_TRUE(Session::WaitUntil([&] {
    for (const auto& w : s_.TopLevelWindows())
      if (w.cls == "#32768" && w.visible) return true;
    return false;
  })) << "no system menu";
  s_.KeepScreenshot("uninstall-system-menu");
  // From the first item, Up goes round to the last: the about item.
  s_.Xdotool("key --delay 100 Up Return");
  auto about = s_.WaitForWindow("关于 Uninstall");
  ASSERT_TRUE(about) << "no about box";
  bool version = false;
  for (const auto& c : s_.Children(about->handle)) version = version || c.text == "Uninstall 1.0 版";
  EXPECT_TRUE(version);
  s_.KeepScreenshot("uninstall-about");
  ClickButton(*about, "确定");
  ASSERT_TRUE(s_.WaitForNoWindow("关于 Uninstall"));

  ClickItem(kTitle, kAdminHelp);
  ASSERT_TRUE(Session::WaitUntil([&] { return Exists(s_.appDir() + "/probe.log"); }));
  EXPECT_EQ(ReadFile(s_.appDir() + "/probe.log"), "probe.exe\t" + server.Url("/adminrun") + "\n");

  ClickItem(kTitle, kCancel);
  ASSERT_TRUE(s_.WaitForExit(uninstall, kLongBoundMs));
  for (const std::string& f : staged) EXPECT_TRUE(Exists(dir + f)) << f;
  EXPECT_TRUE(Exists(dir + "install.log"));
  EXPECT_TRUE(Exists(Desktop() + "Vistrel.lnk"));
  EXPECT_TRUE(Exists(Programs() + "Vistrel/卸载.lnk"));
  EXPECT_EQ(RegRead("HKLM64", "DisplayName"), "Vistrel");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0], kReport);

  // The close box is a cancel too.
  uninstall = StartUninstall("C:\\Vistrel\\Uninstall.exe");
  s_.Post(kTitle, 0x0010 /* WM_CLOSE */);
  ASSERT_TRUE(s_.WaitForExit(uninstall, kLongBoundMs));
  EXPECT_TRUE(Exists(dir + "brova.exe"));
  EXPECT_EQ(server.Requests().size(), 2u);
}

TEST_F(UninstallTest, LogNamesAreReadAsGbkAndNeverLeaveTheFolder) {
  const std::string app = s_.appDir() + "/";
  const std::string outside = s_.workDir() + "/outside.txt";
  const std::string elsewhere = s_.workDir() + "/elsewhere.txt";
  const std::string chinese = app + "help/並.TXT";  // GBK 81 4B: the trail byte is 'K'
  ASSERT_EQ(mkdir((app + "help").c_str(), 0755), 0);
  for (const std::string& f : {outside, elsewhere, chinese, app + "lower.txt", app + "kept.txt"})
    ASSERT_TRUE(WriteFile(f, "x")) << f;
  const std::string log = "[FILE] ..\\outside.txt\r\n"
                          "[FILE] " + text::ToGb(Session::WinPath(elsewhere)) + "\r\n"
                          "[FILE] \\help\\" + text::ToGb("並.TXT") + "\r\n"
                          "[file] lower.txt\r\n"
                          "[FILE] \\Data\\TRELK.DLL\r\n"
                          "[FILE] \\Uninstall.exe\r\n"
                          "[FILE] readonly.dat\r\n";
  ASSERT_TRUE(WriteFile(app + "install.log", log));
  // A read-only file is not deleted: the uninstaller says so instead of
  // reporting success.
  ASSERT_TRUE(WriteFile(app + "readonly.dat", "x"));
  chmod((app + "readonly.dat").c_str(), 0444);

  pid_t uninstall = StartUninstall("Uninstall.exe");
  ClickItem(kTitle, kConfirm);
  auto box = MessageBoxWith("卸载未完成,有文件或设置无法删除。请先退出 Vistrel,再以管理员权限运行此程序");
  ASSERT_TRUE(box) << "no message that the removal is incomplete";
  ClickButton(*box, "确定");
  ASSERT_TRUE(s_.WaitForExit(uninstall, kLongBoundMs));

  EXPECT_TRUE(Exists(outside));
  EXPECT_FALSE(Exists(elsewhere));  // a full path is the installer's to name
  EXPECT_FALSE(Exists(chinese));
  EXPECT_FALSE(Exists(app + "help"));
  EXPECT_TRUE(Exists(app + "lower.txt"));
  EXPECT_FALSE(Exists(app + "data/trelk.dll"));
  EXPECT_TRUE(Exists(app + "data"));  // still holds the other data files
  EXPECT_TRUE(Exists(app + "Uninstall.exe"));
  EXPECT_TRUE(Exists(app + "readonly.dat"));
}

TEST_F(UninstallTest, SetupPagesAndTheDefaultFolder) {
  pid_t setup = s_.Start(kSetup);
  auto window = s_.WaitForWindow("Vistrel 安装", kLongBoundMs);
  ASSERT_TRUE(window) << "no setup window";
  // Each page adds its own caption part; the window is followed by handle.
  const std::string setupWindow = window->handle;
  s_.KeepScreenshot("setup-welcome");
  ClickItem(setupWindow, 1);  // 下一步
  std::optional<WindowInfo> folder;
  ASSERT_TRUE(Session::WaitUntil([&] {
    for (const auto& c : s_.Children(setupWindow))
      if (c.cls == "Edit" && c.visible) folder = c;
    return folder.has_value();
  }));
  EXPECT_EQ(folder->text, "C:\\Program Files\\Vistrel");
  s_.KeepScreenshot("setup-folder");
  ClickItem(setupWindow, 2);  // 取消, then confirm the question
  std::optional<WindowInfo> question;
  ASSERT_TRUE(Session::WaitUntil([&] {
    for (const auto& w : s_.TopLevelWindows())
      if (w.cls == "#32770" && w.visible && w.handle != setupWindow) question = w;
    return question.has_value();
  }));
  s_.KeepScreenshot("setup-cancel");
  ClickButton(*question, "是");
  ASSERT_TRUE(s_.WaitForExit(setup, kLongBoundMs));
  EXPECT_FALSE(Exists(Drive("Program Files/Vistrel")));
  EXPECT_FALSE(Exists(Desktop() + "Vistrel.lnk"));
}

}  // namespace
