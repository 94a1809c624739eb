// The setup program and Uninstall.exe as a user meets them: setup installs
// the staged folder for the user with its log, shortcuts and uninstall
// entry; Uninstall asks, removes what the log names, and reports the removal
// once to the maker's site (a server of the test on 127.0.0.1, named by
// VISTREL_SITE).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "common/FrameMessages.h"
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
const char kNotDone[] = "卸载未完成,有文件或设置无法删除。请先退出 Vistrel,再以管理员权限运行此程序";
const char kRunning[] = "Vistrel 正在运行,无法卸载。请先退出 Vistrel,再点“重试”。";
const char kKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vistrel";
constexpr unsigned kWmCommand = 0x0111, kWmClose = 0x0010;
constexpr long kExitCommand = 32796;
using frame_msg::kCaptureFullScreen;
constexpr unsigned kWmSysCommand = 0x0112, kScMinimize = 0xF020;
constexpr char kLoginTitle[] = "登录计账管理-Tolvana";
constexpr char kLedgerTitle[] = "[测试账号]计账管理-Tolvana";
constexpr char kEntryTitle[] = "计账编辑-Tolvana";
constexpr int kExitBrovaRunning = 3, kExitWriteFailed = 4;  // of a silent setup
constexpr int kQuestion = 1001, kAdminHelp = 1002, kConfirm = 1, kCancel = 2;
constexpr int kLongBoundMs = 120000;
// The removal report to a server on port; the Host line names a port other than 80.
std::string Report(uint16_t port) {
  return "GET /kivvo/unsetup.asp?flag=Vistrel HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
         "\r\nAccept: */*\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 5.01; Windows NT 5.0)\r\n"
         "Pragma: no-cache\r\nCache-Control: no-cache\r\nRange: bytes=0-\r\nConnection: close\r\n\r\n";
}

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// A message box's text as winctl reads it: line breaks become blanks.
std::string OnOneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

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
      if (user != "Public") user_ = user;
    userDir_ = users + user_ + "/";
  }

  std::string Drive(const std::string& rest) const { return s_.workDir() + "/prefix/drive_c/" + rest; }
  std::string Desktop() const { return userDir_ + "Desktop/"; }
  std::string Programs() const { return userDir_ + "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/"; }
  // The per-user installation folder, as Windows and as Linux names it.
  std::string UserProgramsWin() const { return "C:\\users\\" + user_ + "\\AppData\\Local\\Programs\\Vistrel"; }
  std::string UserPrograms() const { return userDir_ + "AppData/Local/Programs/Vistrel/"; }
  std::optional<std::string> RegRead(const std::string& view, const std::string& name) {
    RunResult r = s_.Winctl("reg-read " + ShellQuote(view + "\\" + kKey) + " " + ShellQuote(name));
    if (r.status != 0) return std::nullopt;
    while (!r.out.empty() && (r.out.back() == '\n' || r.out.back() == '\r')) r.out.pop_back();
    return r.out;
  }

  // Runs the setup program silently into the Windows folder winDir (its
  // own choice for ""); its exit code.
  int RunSilentSetup(const std::string& winDir = "") {
    std::vector<std::string> args{"/S"};
    if (!winDir.empty()) args.push_back("/D=" + winDir);
    pid_t setup = s_.Start(kSetup, args);
    EXPECT_TRUE(s_.WaitForExit(setup, kLongBoundMs)) << "setup never ended";
    return s_.ExitCode(setup);
  }
  void Install(const std::string& winDir = "") { ASSERT_EQ(RunSilentSetup(winDir), 0); }

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

  // Waits for the message box of Uninstall whose text begins with text;
  // nullopt when none comes. shown gets its whole text.
  std::optional<WindowInfo> MessageBoxWith(const std::string& text, std::string* shown = nullptr) {
    return WaitForMessageBox(s_, OnOneLine(text), TextMatch::kStart, kLongBoundMs, "Uninstall", shown);
  }

  // Confirms in a running Uninstall and answers its closing message.
  void ConfirmAndExpect(pid_t uninstall, const std::string& message, std::string* shown = nullptr) {
    ClickItem(kTitle, kConfirm);
    auto box = MessageBoxWith(message, shown);
    ASSERT_TRUE(box) << "no message " << message;
    ClickButton(*box, "确定");
    ASSERT_TRUE(s_.WaitForExit(uninstall, kLongBoundMs));
  }

  Session s_;
  std::string user_;
  std::string userDir_;
};

TEST_F(UninstallTest, SetupInstallsAndConfirmRemovesWhatTheLogNames) {
  LocalServer server(testsupport::Reply("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nok"), LocalServer::kUnlimited);
  s_.SetEnv("VISTREL_SITE", server.Url(""));
  // A folder name with a character that GBK lacks: every path the
  // uninstaller builds must go through the wide calls.
  const std::string dir = Drive("软件한/Vistrel/");
  // What an earlier copy there downloaded and staged: a staged program
  // would replace the new one at brova's first exit.
  ASSERT_EQ(s_.Shell("mkdir -p " + ShellQuote(dir + "data")).status, 0);
  for (const char* made : {"data/brova_new.exe", "data/main2.htm", "data/data_tmp.dat"})
    ASSERT_TRUE(WriteFile(dir + made, "from an earlier copy"));
  ASSERT_NO_FATAL_FAILURE(Install("C:\\软件한\\Vistrel"));
  const std::vector<std::string> staged = StagedFiles(kStage + "/");
  ASSERT_GE(staged.size(), 5u);
  std::string log;
  long long bytes = 0;
  for (const std::string& f : staged) {
    EXPECT_TRUE(ReadFile(dir + f) == ReadFile(kStage + "/" + f)) << f;
    bytes += static_cast<long long>(ReadFile(kStage + "/" + f).size());
    std::string name = f;
    for (char& c : name)
      if (c == '/') c = '\\';
    log += "[FILE] \\" + name + "\r\n";
  }
  for (const char* made : {"data/brova_new.exe", "data/main2.htm", "data/data_tmp.dat"})
    EXPECT_FALSE(Exists(dir + made)) << made;
  EXPECT_EQ(ReadFile(dir + "install.log"), log +
                                               "[FILE] \\data\\brova_new.exe\r\n[FILE] \\data\\main2.htm\r\n"
                                               "[FILE] \\data\\data_tmp.dat\r\n[FILE] \\brova.exe.old\r\n"
                                               "[FILE] \\brova.exe.incoming\r\n[FILE] \\install.log\r\n");
  for (const std::string& lnk : {Desktop() + "Vistrel.lnk", Programs() + "Vistrel/Vistrel.lnk",
                                 Programs() + "Vistrel/卸载.lnk"})
    EXPECT_TRUE(Exists(lnk)) << lnk;
  // The entry is the user's own, as the installation is.
  EXPECT_EQ(RegRead("HKCU", "UninstallString"), "\"C:\\软件한\\Vistrel\\Uninstall.exe\"");
  EXPECT_EQ(RegRead("HKCU", "DisplayName"), "Vistrel");
  EXPECT_EQ(RegRead("HKCU", "InstallLocation"), "C:\\软件한\\Vistrel");
  EXPECT_EQ(RegRead("HKCU", "EstimatedSize"), std::to_string((bytes + 1023) / 1024));
  EXPECT_EQ(RegRead("HKLM64", "DisplayName"), std::nullopt);
  EXPECT_EQ(RegRead("HKLM32", "DisplayName"), std::nullopt);
  // Entries that earlier per-machine setups left, in both views; what brova
  // downloads and captures once it runs.
  for (const char* view : {"HKLM64\\", "HKLM32\\"})
    ASSERT_EQ(s_.Winctl("reg-write " + ShellQuote(view + std::string(kKey)) + " DisplayName Vistrel").status, 0);
  ASSERT_EQ(s_.Shell("mkdir -p " + ShellQuote(dir + "Snapshot")).status, 0);
  ASSERT_TRUE(WriteFile(dir + "Snapshot/Snapshot20261208060000.bmp", "a capture of the user"));
  for (const char* made : {"data/brova_new.exe", "data/main2.htm", "data/data_tmp.dat", "brova.exe.old"})
    ASSERT_TRUE(WriteFile(dir + made, "made by brova"));
  // Capture settings that save into a folder of the user's choice.
  std::string record(280, '\0');
  const char keys[20] = {'1', 1, 1, 0, '2', 1, 1, 0, '3', 1, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0};
  record.replace(0, 20, keys, 20);
  record.replace(20, 12, "C:\\pictures\\");
  ASSERT_TRUE(WriteFile(dir + "data/snapshot.dat", record));
  ASSERT_EQ(mkdir(Drive("pictures").c_str(), 0755), 0);

  pid_t uninstall = StartUninstall("C:\\软件한\\Vistrel\\Uninstall.exe");
  for (auto [id, text] : {std::pair{kConfirm, "确认"}, {kCancel, "取消"}, {kAdminHelp, "如何用管理员权限运行程序"}}) {
    auto item = s_.Item(kTitle, id);
    EXPECT_TRUE(item && item->text == text) << id;
  }
  s_.KeepScreenshot("uninstall-dialog");
  ClickItem(kTitle, kConfirm);
  std::string shown;
  auto box = MessageBoxWith(kDone, &shown);
  ASSERT_TRUE(box) << "no success message";
  // The message says which of the user's own files stay, and where.
  EXPECT_EQ(shown, OnOneLine(std::string(kDone) +
                             "\n\n你自己的文件仍保留在 C:\\软件한\\Vistrel\\ 中:\n截图: Snapshot\n"
                             "设置: data\\snapshot.dat\n截图保存目录: C:\\pictures\\"));
  s_.KeepScreenshot("uninstall-done");
  // The report goes when the window does, after the message.
  EXPECT_TRUE(server.Requests().empty());
  ClickButton(*box, "确定");
  ASSERT_TRUE(s_.WaitForExit(uninstall, kLongBoundMs));

  for (const std::string& f : staged)
    EXPECT_EQ(Exists(dir + f), f == "Uninstall.exe") << f;
  EXPECT_FALSE(Exists(dir + "install.log"));
  EXPECT_FALSE(Exists(dir + "brova.exe.old"));
  EXPECT_EQ(ListDir(dir + "data"), std::vector<std::string>{"snapshot.dat"});
  EXPECT_TRUE(Exists(dir + "Snapshot/Snapshot20261208060000.bmp"));
  EXPECT_FALSE(Exists(Desktop() + "Vistrel.lnk"));
  EXPECT_FALSE(Exists(Programs() + "Vistrel"));
  for (const char* view : {"HKCU", "HKLM64", "HKLM32"}) EXPECT_EQ(RegRead(view, "DisplayName"), std::nullopt) << view;
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0], Report(server.port));
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
  EXPECT_EQ(RegRead("HKCU", "DisplayName"), "Vistrel");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0], Report(server.port));

  // The close box is a cancel too.
  uninstall = StartUninstall("C:\\Vistrel\\Uninstall.exe");
  s_.Post(kTitle, kWmClose);
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
                          "[FILE] " + Session::WinPath(elsewhere) + "\r\n"
                          "[FILE] \\help\\並.TXT\r\n"
                          "[file] lower.txt\r\n"
                          "[FILE] \\Data\\TRELK.DLL\r\n"
                          "[FILE] \\Uninstall.exe\r\n"
                          "[FILE] \\Install.log\r\n"
                          "[FILE] 只读.dat\r\n";
  ASSERT_TRUE(WriteFile(app + "install.log", text::ToGb(log)));
  // A read-only file is not deleted, as a program that runs is not: the
  // uninstaller says so instead of reporting success, and keeps what the
  // next run needs to finish: the log of what remains, the entry and the
  // start menu's shortcut to itself.
  ASSERT_TRUE(WriteFile(app + "只读.dat", "x"));
  chmod((app + "只读.dat").c_str(), 0444);
  ASSERT_EQ(s_.Shell("mkdir -p " + ShellQuote(Programs() + "Vistrel") + " " + ShellQuote(Desktop())).status, 0);
  for (const std::string& lnk : {Desktop() + "Vistrel.lnk", Programs() + "Vistrel/Vistrel.lnk",
                                 Programs() + "Vistrel/卸载.lnk"})
    ASSERT_TRUE(WriteFile(lnk, "a shortcut")) << lnk;
  ASSERT_EQ(s_.Winctl("reg-write " + ShellQuote(std::string("HKCU\\") + kKey) + " DisplayName Vistrel").status, 0);

  ASSERT_NO_FATAL_FAILURE(ConfirmAndExpect(StartUninstall("Uninstall.exe"), kNotDone));
  EXPECT_TRUE(Exists(outside));
  EXPECT_FALSE(Exists(elsewhere));  // a full path is the installer's to name
  EXPECT_FALSE(Exists(chinese));
  EXPECT_FALSE(Exists(app + "help"));
  EXPECT_TRUE(Exists(app + "lower.txt"));
  EXPECT_FALSE(Exists(app + "data/trelk.dll"));
  EXPECT_TRUE(Exists(app + "data"));  // still holds the other data files
  EXPECT_TRUE(Exists(app + "Uninstall.exe"));
  EXPECT_TRUE(Exists(app + "只读.dat"));
  EXPECT_EQ(ReadFile(app + "install.log"), text::ToGb("[FILE] 只读.dat\r\n[FILE] \\install.log\r\n"));
  EXPECT_TRUE(Exists(Programs() + "Vistrel/卸载.lnk"));
  EXPECT_FALSE(Exists(Programs() + "Vistrel/Vistrel.lnk"));
  EXPECT_FALSE(Exists(Desktop() + "Vistrel.lnk"));
  EXPECT_EQ(RegRead("HKCU", "DisplayName"), "Vistrel");

  // Once the file can go, a second run finishes.
  chmod((app + "只读.dat").c_str(), 0644);
  ASSERT_NO_FATAL_FAILURE(ConfirmAndExpect(StartUninstall("Uninstall.exe"), kDone));
  EXPECT_FALSE(Exists(app + "只读.dat"));
  EXPECT_FALSE(Exists(app + "install.log"));
  EXPECT_FALSE(Exists(Programs() + "Vistrel"));
  EXPECT_EQ(RegRead("HKCU", "DisplayName"), std::nullopt);

  // A log that is there but cannot be read (larger than any log of ours)
  // still names files: nothing it may list is reported as removed.
  std::string big = "[FILE] victim.dat\r\n";
  big.resize(17u << 20, ' ');
  ASSERT_TRUE(WriteFile(app + "install.log", big));
  ASSERT_TRUE(WriteFile(app + "victim.dat", "x"));
  ASSERT_NO_FATAL_FAILURE(ConfirmAndExpect(StartUninstall("Uninstall.exe"), kNotDone));
  EXPECT_TRUE(Exists(app + "victim.dat"));
  EXPECT_TRUE(ReadFile(app + "install.log") == big);
}

// The setup's window and its folder page: the edit that shows the folder;
// nullopt when the page does not come.
std::optional<WindowInfo> FolderEdit(Session& s, const std::string& setupWindow) {
  std::optional<WindowInfo> folder;
  Session::WaitUntil([&] {
    for (const auto& c : s.Children(setupWindow))
      if (c.cls == "Edit" && c.visible) folder = c;
    return folder.has_value();
  }, kLongBoundMs);
  return folder;
}

TEST_F(UninstallTest, SetupPagesTheUsersOwnFolderAndAFolderThatCannotBeWritten) {
  pid_t setup = s_.Start(kSetup);
  auto window = s_.WaitForWindow("Vistrel 安装", kLongBoundMs);
  ASSERT_TRUE(window) << "no setup window";
  // Each page adds its own caption part; the window is followed by handle.
  const std::string setupWindow = window->handle;
  s_.KeepScreenshot("setup-welcome");
  ClickItem(setupWindow, 1);  // 下一步
  auto folder = FolderEdit(s_, setupWindow);
  ASSERT_TRUE(folder);
  // A folder brova can write beside itself without elevation.
  EXPECT_EQ(folder->text, UserProgramsWin());
  s_.KeepScreenshot("setup-folder");

  // A folder no file can be written into, as C:\Program Files is to a
  // standard user: the page says so and stays. (Wine lets this test write
  // into any folder, so the name of the page's test file is taken by a
  // folder.)
  ASSERT_EQ(s_.Shell("mkdir -p " + ShellQuote(Drive("locked/vistrel-setup.tmp"))).status, 0);
  ASSERT_EQ(s_.Winctl("settext " + folder->handle + " " + ShellQuote("C:\\locked")).status, 0);
  ClickItem(setupWindow, 1);
  std::optional<WindowInfo> refusal;
  std::string refusalText;
  ASSERT_TRUE(Session::WaitUntil([&] {
    for (const auto& w : s_.TopLevelWindows())
      if (w.cls == "#32770" && w.visible && w.handle != setupWindow)
        for (const auto& c : s_.Children(w.handle))
          if (c.cls == "Static" && c.text.find("无法在文件夹") != std::string::npos) {
            refusal = w;
            refusalText = c.text;
          }
    return refusal.has_value();
  })) << "no refusal of the folder";
  EXPECT_EQ(refusalText, OnOneLine("无法在文件夹 C:\\locked 中写入文件,Vistrel 不能安装在这里。\r\n"
                                   "请选择一个你有权写入的文件夹。"));
  s_.KeepScreenshot("setup-folder-refused");
  ClickButton(*refusal, "确定");
  auto still = FolderEdit(s_, setupWindow);
  ASSERT_TRUE(still) << "the folder page went";
  EXPECT_EQ(still->text, "C:\\locked");
  EXPECT_EQ(ListDir(Drive("locked")), std::vector<std::string>{"vistrel-setup.tmp"});

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
  EXPECT_FALSE(Exists(UserPrograms()));
  EXPECT_FALSE(Exists(Desktop() + "Vistrel.lnk"));
  // A silent setup into a folder that cannot be made (a file stands in
  // its way) fails with its own exit code.
  ASSERT_TRUE(WriteFile(Drive("blocked"), "x"));
  EXPECT_EQ(RunSilentSetup("C:\\blocked\\Vistrel"), kExitWriteFailed);
  EXPECT_EQ(RegRead("HKCU", "DisplayName"), std::nullopt);

  // Installed elsewhere, the setup starts from that folder, installs there
  // again and offers to run the program on its last page.
  ASSERT_NO_FATAL_FAILURE(Install("C:\\Elsewhere\\Vistrel\\"));  // a trailing backslash is the same folder
  setup = s_.Start(kSetup);
  window = s_.WaitForWindow("Vistrel 安装", kLongBoundMs);
  ASSERT_TRUE(window) << "no setup window";
  ClickItem(window->handle, 1);
  folder = FolderEdit(s_, window->handle);
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->text, "C:\\Elsewhere\\Vistrel");
  ASSERT_TRUE(WriteFile(Drive("Elsewhere/Vistrel/data/brova_new.exe"), "staged by the copy installed before"));
  ClickItem(window->handle, 1);
  std::optional<WindowInfo> run;
  ASSERT_TRUE(Session::WaitUntil([&] {
    for (const auto& c : s_.Children(window->handle))
      if (c.cls == "Button" && c.visible && c.text == "运行 Vistrel") run = c;
    return run.has_value();
  }, kLongBoundMs)) << "no finish page that offers to run Vistrel";
  s_.KeepScreenshot("setup-finish");
  Click(s_, run->centerX(), run->centerY());  // not now
  ClickItem(window->handle, 1);               // 完成
  ASSERT_TRUE(s_.WaitForExit(setup, kLongBoundMs));
  EXPECT_EQ(s_.ExitCode(setup), 0);
  EXPECT_FALSE(Exists(Drive("Elsewhere/Vistrel/data/brova_new.exe")));
  EXPECT_TRUE(ReadFile(Drive("Elsewhere/Vistrel/brova.exe")) == ReadFile(kStage + "/brova.exe"));
  EXPECT_FALSE(Exists(UserPrograms()));
  EXPECT_FALSE(s_.Window("Pagorin")) << "brova started though the box was cleared";

  // An installed file that cannot be replaced (a program that runs) fails
  // the setup.
  pid_t uninstall = StartUninstall("C:\\Elsewhere\\Vistrel\\Uninstall.exe");
  EXPECT_EQ(RunSilentSetup("C:\\Elsewhere\\Vistrel"), kExitWriteFailed);
  ClickItem(kTitle, kCancel);
  ASSERT_TRUE(s_.WaitForExit(uninstall, kLongBoundMs));
}

// The way a user meets it all: the default setup installs for the user
// alone, brova's first capture and first ledger entry land in that folder,
// Uninstall will not remove a running brova, and after brova has ended a
// second run removes it and names what of the user's stays.
TEST_F(UninstallTest, PerUserInstallCapturesThereAndUninstallWaitsForBrovaToEnd) {
  ASSERT_NO_FATAL_FAILURE(Install());
  const std::string dir = UserPrograms();
  const std::string winDir = UserProgramsWin();
  const std::vector<std::string> staged = StagedFiles(kStage + "/");
  for (const std::string& f : staged) EXPECT_TRUE(Exists(dir + f)) << f;
  EXPECT_EQ(RegRead("HKCU", "InstallLocation"), winDir);
  EXPECT_EQ(RegRead("HKLM64", "DisplayName"), std::nullopt);

  pid_t brova = s_.Start(winDir + "\\brova.exe");
  ASSERT_TRUE(s_.WaitForWindow("Vistrel", kLongBoundMs)) << "brova did not start";
  MoveTo(s_, 1270, 10);
  ASSERT_TRUE(s_.Post("Pagorin", kCaptureFullScreen));
  auto result = s_.WaitForWindow(kResultTitle, kLongBoundMs);
  ASSERT_TRUE(result) << "no capture";
  ASSERT_TRUE(Session::WaitUntil([&] {
    for (const std::string& f : ListDir(dir + "Snapshot"))
      if (f.rfind("Snapshot", 0) == 0) return true;
    return false;
  }, kLongBoundMs)) << "the capture is not in the installation folder";
  ASSERT_TRUE(WaitForResultWindowClick(s_, *result));
  s_.Xdotool("key Escape");
  ASSERT_TRUE(s_.WaitForNoWindow(kResultTitle, kLongBoundMs));
  // The capture window stands in the middle of the screen, where the
  // windows below open: out of the way with it.
  s_.Post("Vistrel", kWmSysCommand, kScMinimize);
  ASSERT_TRUE(Session::WaitUntil([&] {
    auto w = s_.Window("Vistrel");
    return w && w->left < -1000;
  }));

  // The first ledger entry, from the management center, with the account
  // a fresh folder offers.
  ASSERT_TRUE(s_.Post("Pagorin", frame_msg::kOpenCenter));
  ASSERT_TRUE(s_.WaitForWindow("Tolvana", kLongBoundMs));
  ClickItem("Tolvana", 1024);  // 计账管理
  ASSERT_TRUE(s_.WaitForWindow(kLoginTitle, kLongBoundMs));
  auto accounts = s_.Item(kLoginTitle, 1022);
  ASSERT_TRUE(accounts);
  int left = 0, top = 0, right = 0, bottom = 0;
  std::istringstream row(s_.Winctl("lvrect " + accounts->handle + " 0").out);
  row >> left >> top >> right >> bottom;
  ASSERT_GT(bottom, top) << "no account to log in to";
  Click(s_, left + 40, (top + bottom) / 2);
  ClickItem(kLoginTitle, 1028);  // 登录
  ASSERT_TRUE(s_.WaitForWindow(kLedgerTitle, kLongBoundMs));
  ClickItem(kLedgerTitle, 1018);  // 添加
  auto editor = s_.WaitForWindow(kEntryTitle, kLongBoundMs);
  ASSERT_TRUE(editor);
  auto amount = s_.Item(editor->handle, 1029);
  ASSERT_TRUE(amount);
  ASSERT_EQ(s_.Winctl("settext " + amount->handle + " 12.5").status, 0);
  ClickItem(editor->handle, 1015);  // 保存
  EXPECT_TRUE(Session::WaitUntil([&] {
    return ReadFile(dir + "account/测试账号.dat").find("*12.500000\r\n") != std::string::npos;
  }, kLongBoundMs)) << "the ledger entry is not in the installation folder";
  s_.Post(kLedgerTitle, kWmClose);
  ASSERT_TRUE(s_.WaitForNoWindow(kLedgerTitle, kLongBoundMs));

  // A silent setup over the running brova does not install and says so.
  ASSERT_TRUE(WriteFile(dir + "data/main.htm", "the page of the installed copy"));
  EXPECT_EQ(RunSilentSetup(), kExitBrovaRunning);
  EXPECT_EQ(ReadFile(dir + "data/main.htm"), "the page of the installed copy");

  // Uninstall asks to quit brova first and, cancelled, removes nothing.
  pid_t uninstall = StartUninstall(winDir + "\\Uninstall.exe");
  ClickItem(kTitle, kConfirm);
  auto box = MessageBoxWith(kRunning);
  ASSERT_TRUE(box) << "no request to quit Vistrel";
  s_.KeepScreenshot("uninstall-brova-running");
  ClickButton(*box, "重试");  // brova still runs: asked again
  box = MessageBoxWith(kRunning);
  ASSERT_TRUE(box);
  ClickButton(*box, "取消");
  ASSERT_TRUE(s_.WaitForExit(uninstall, kLongBoundMs));
  for (const std::string& f : staged) EXPECT_TRUE(Exists(dir + f)) << f;
  EXPECT_TRUE(Exists(dir + "install.log"));
  EXPECT_TRUE(Exists(Programs() + "Vistrel/卸载.lnk"));
  EXPECT_EQ(RegRead("HKCU", "DisplayName"), "Vistrel");

  ASSERT_TRUE(s_.Post("Pagorin", kWmCommand, kExitCommand));
  ASSERT_TRUE(s_.WaitForExit(brova, kLongBoundMs)) << "brova did not end";
  std::string shown;
  ASSERT_NO_FATAL_FAILURE(ConfirmAndExpect(StartUninstall(winDir + "\\Uninstall.exe"), kDone, &shown));
  EXPECT_NE(shown.find("截图: Snapshot"), std::string::npos) << shown;
  EXPECT_NE(shown.find("账目: account"), std::string::npos) << shown;
  for (const std::string& f : staged) EXPECT_EQ(Exists(dir + f), f == "Uninstall.exe") << f;
  EXPECT_FALSE(Exists(dir + "install.log"));
  EXPECT_FALSE(ListDir(dir + "Snapshot").empty());
  EXPECT_TRUE(Exists(dir + "account/测试账号.dat"));
  EXPECT_FALSE(Exists(Desktop() + "Vistrel.lnk"));
  EXPECT_FALSE(Exists(Programs() + "Vistrel"));
  EXPECT_EQ(RegRead("HKCU", "DisplayName"), std::nullopt);

  // A copy an earlier per-machine setup installed is updated where it is.
  ASSERT_EQ(s_.Winctl("reg-write " + ShellQuote(std::string("HKLM64\\") + kKey) + " InstallLocation " +
                      ShellQuote("C:\\Old\\Vistrel"))
                .status,
            0);
  ASSERT_NO_FATAL_FAILURE(Install());
  EXPECT_TRUE(ReadFile(Drive("Old/Vistrel/brova.exe")) == ReadFile(kStage + "/brova.exe"));
  EXPECT_EQ(RegRead("HKCU", "InstallLocation"), "C:\\Old\\Vistrel");
}

}  // namespace
