// The system assistant as a user meets it: the settings window with its
// four pages (capture, boss key, CD trays, start-up), the boss key and the
// CD keys pressed as real keys, and the automatic shutdown with its
// countdown. Nothing is shut down: the countdown's action writes a marker
// file here, and the MCI commands of the tray requests are listed in a file.
#include <gtest/gtest.h>

#include <ctime>
#include <sstream>

#include "common/FrameMessages.h"
#include "common/Text.h"
#include "tests/support/CaptureCheck.h"
#include "tests/support/E2e.h"

namespace {

using namespace e2e;

constexpr unsigned kWmClose = 0x0010, kWmCommand = 0x0111, kWmSysCommand = 0x0112;
constexpr unsigned kScMinimize = 0xF020, kScClose = 0xF060;
constexpr unsigned kCbSetCurSel = 0x014E, kCbShowDropDown = 0x014F, kBmGetCheck = 0x00F0, kTcmGetCurSel = 0x130B;
constexpr unsigned long kWsMinimize = 0x20000000;
const char kSettingsTitle[] = "参数设置-Tolvana";
const char kShutdownTitle[] = "自动关机设置-Tolvana";
const char kCountdownTitle[] = "关机提示框";
const char kRunKey[] = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Waits for the message box, closes it and waits until it is gone.
bool Acknowledge(Session& s, const std::string& part) {
  std::optional<WindowInfo> box;
  if (!Session::WaitUntil([&] { return (box = FindMessageBox(s, part, TextMatch::kPart)).has_value(); })) return false;
  s.Post(box->handle, kWmClose);
  return Session::WaitUntil([&] { return !FindMessageBox(s, part, TextMatch::kPart); });
}

// The visible control with this text anywhere inside a window.
std::optional<WindowInfo> Visible(Session& s, const std::string& window, const std::string& text) {
  for (const auto& c : s.Children(window))
    if (c.visible && c.text == text) return c;
  return std::nullopt;
}
bool Exists(Session& s, const std::string& window, const std::string& text) {
  for (const auto& c : s.Children(window))
    if (c.text == text) return true;
  return false;
}
void ClickOn(Session& s, const std::optional<WindowInfo>& w) {
  ASSERT_TRUE(w) << "nothing to click";
  Click(s, w->centerX(), w->centerY());
}
bool Checked(Session& s, const WindowInfo& box) { return s.Send(box.handle, kBmGetCheck) == 1; }

void ClickTab(Session& s, int index) {
  auto tabs = s.Item(kSettingsTitle, 1040);
  ASSERT_TRUE(tabs);
  std::istringstream r(s.Winctl("tabrect " + tabs->handle + " " + std::to_string(index)).out);
  int left = 0, top = 0, right = 0, bottom = 0;
  ASSERT_TRUE(r >> left >> top >> right >> bottom) << "no tab " << index;
  Click(s, (left + right) / 2, (top + bottom) / 2);
}

// True when window upper is above window lower (top-level windows, in Z order).
bool Above(Session& s, const std::string& upper, const std::string& lower) {
  for (const auto& w : s.TopLevelWindows()) {
    if (w.handle == upper) return true;
    if (w.handle == lower) return false;
  }
  return false;
}

bool Minimised(Session& s, const std::string& handle) {
  auto w = s.Window(handle);
  return w && (w->style & kWsMinimize);
}

// Presses keys while a brova window or notepad has the focus, as hot keys
// under Wine need a Windows window to have it.
void PressWithFocus(Session& s, const std::string& handle, const std::string& keys) {
  s.Winctl("activate " + handle);
  ASSERT_TRUE(Session::WaitUntil([&] { return s.Winctl("foreground").out.find(handle) == 0; }));
  s.Xdotool("key " + keys);
}

std::string OpenFromCenter(Session& s, int button, const char* title) {
  s.Post(frame_msg::kFrameTitle, frame_msg::kOpenCenter);
  if (!s.WaitForWindow(frame_msg::kCenterTitle)) return "";
  auto item = s.Item(frame_msg::kCenterTitle, button);
  if (!item) return "";
  Click(s, item->centerX(), item->centerY());
  auto w = s.WaitForWindow(title);
  return w ? w->handle : "";
}

TEST(SettingsWindow, PagesBossKeyCdKeysAndStartup) {
  Session s;
  // A boss key saved in an earlier run (Ctrl+Alt+B, show the desktop) works from the start.
  s.Shell("mkdir -p data3");
  ASSERT_TRUE(WriteFile(s.appDir() + "/data3/bosskey.dat", std::string("B\1\1\0", 4) + std::string(304, '\0')));
  const std::string mciLog = s.appDir() + "/mci.log";
  s.SetEnv("BROVA_TEST_MCI_LOG", Session::WinPath(mciLog));
  // The prefix gets a CD drive D: (an empty folder), so the keys have a drive to act on.
  s.Shell("mkdir -p cd && ln -s " + ShellQuote(s.appDir() + "/cd") + " " +
          ShellQuote(s.workDir() + "/prefix/dosdevices/d:"));
  // The system's drives are read when the prefix starts: it starts again.
  ASSERT_EQ(s.Winctl("reg-write 'HKLM\\Software\\Wine\\Drives' d: cdrom").status, 0);
  s.Shell("wineserver -k; wineserver -w; wine wineboot -s >/dev/null 2>&1; true");
  pid_t brova = s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  auto notepad = StartNotepad(s);
  ASSERT_TRUE(notepad);
  // Clear of the settings window, which stays above it (its owner is top-most).
  s.Winctl("move " + notepad->handle + " 10 10 330 190");
  PressWithFocus(s, notepad->handle, "ctrl+alt+b");
  EXPECT_TRUE(Session::WaitUntil([&] { return Minimised(s, notepad->handle); })) << "boss key minimised nothing";
  EXPECT_FALSE(Minimised(s, "Vistrel")) << "the frame's own windows stay";

  // The window opens on "屏捕": the capture page, a captioned window of its own, alone.
  ASSERT_FALSE(OpenFromCenter(s, 1029, kSettingsTitle).empty());
  auto capturePage = s.WaitForWindow("参数设置");
  ASSERT_TRUE(capturePage);
  // It sits where the pages do, below the tab strip, which stays free to click.
  auto settings = s.Window(kSettingsTitle);
  auto tabStrip = s.Item(kSettingsTitle, 1040);
  ASSERT_TRUE(settings && tabStrip);
  EXPECT_GE(capturePage->top, tabStrip->bottom);
  EXPECT_GE(capturePage->left, settings->left);
  EXPECT_LE(capturePage->right, settings->right);
  EXPECT_LE(capturePage->bottom, settings->bottom);
  EXPECT_TRUE(Session::WaitUntil([&] { return Above(s, capturePage->handle, settings->handle); }))
      << "the settings window covers the capture page";
  EXPECT_FALSE(Exists(s, kSettingsTitle, "刷新窗口"));
  EXPECT_FALSE(Exists(s, kSettingsTitle, "打开光驱:"));
  EXPECT_FALSE(Exists(s, kSettingsTitle, "启动计算机时运行"));
  s.KeepScreenshot("settings-capture-tab");

  // Another program changes the boss key to Ctrl+Alt+N without telling the
  // frame: the page opens with the file's key, and its save keeps it.
  ASSERT_TRUE(WriteFile(s.appDir() + "/data3/bosskey.dat", std::string("N\1\1\0", 4) + std::string(304, '\0')));
  // "老板键": the visible top-level windows, entry 0 first, no "Program Manager".
  ClickTab(s, 1);
  ASSERT_TRUE(Session::WaitUntil([&] { return Visible(s, kSettingsTitle, "刷新窗口").has_value(); }));
  EXPECT_FALSE(s.Window("参数设置")->visible) << "the capture page hides";
  std::optional<WindowInfo> list;
  for (const auto& c : s.Children(kSettingsTitle))
    if (c.cls == "ComboBox" && c.visible && c.id == 1006) list = c;
  ASSERT_TRUE(list);
  std::string entries = s.Winctl("combo " + list->handle).out;
  EXPECT_EQ(entries.find("*0\t<<===显示桌面===>>\n"), 0u) << entries;
  EXPECT_EQ(entries.find("Program Manager"), std::string::npos) << entries;
  size_t at = entries.find("\t" + notepad->text + "\n");
  ASSERT_NE(at, std::string::npos) << entries;
  int notepadEntry = std::atoi(entries.c_str() + entries.rfind('\n', at) + 1);
  s.KeepScreenshot("settings-boss-key-tab");
  s.Send(list->handle, kCbSetCurSel, notepadEntry);
  ClickOn(s, Visible(s, kSettingsTitle, "保存设置"));
  ASSERT_TRUE(Acknowledge(s, "保存成功"));
  std::string record = ReadFile(s.appDir() + "/data3/bosskey.dat");
  ASSERT_EQ(record.size(), 308u);
  std::string gbTitle = text::ToGb(notepad->text);
  EXPECT_EQ(record.substr(0, 8), std::string("N\1\1\0", 4) + static_cast<char>(notepadEntry) + std::string(3, '\0'));
  EXPECT_EQ(record.substr(8, gbTitle.size() + 1), gbTitle + '\0');

  // Now the key restores the minimised cover window, then raises and clicks it.
  PressWithFocus(s, s.Window(kSettingsTitle)->handle, "ctrl+alt+n");
  ASSERT_TRUE(Session::WaitUntil([&] { return !Minimised(s, notepad->handle); })) << "not restored";
  PressWithFocus(s, s.Window(kSettingsTitle)->handle, "ctrl+alt+n");
  EXPECT_TRUE(Session::WaitUntil([&] { return s.Winctl("foreground").out.find(notepad->handle) == 0; }));
  auto raised = s.Window(notepad->handle);
  EXPECT_EQ(CursorPos(s), std::make_pair(raised->left + raised->width() / 2, raised->top + raised->height() / 2));
  // "测试" does for the chosen window what the key does: a minimised one comes back.
  s.Post(notepad->handle, kWmSysCommand, kScMinimize);
  ASSERT_TRUE(Session::WaitUntil([&] { return Minimised(s, notepad->handle); }));
  ClickOn(s, Visible(s, kSettingsTitle, "测试"));
  EXPECT_TRUE(Session::WaitUntil([&] { return !Minimised(s, notepad->handle); })) << "the test restored nothing";
  s.Winctl("activate " + s.Window(kSettingsTitle)->handle);

  // "光驱": the two keys, saved as 8 bytes, as the file holds them when the
  // page opens (Ctrl+Alt+O, Ctrl+Alt+C); a key and the commands start tray requests.
  ASSERT_TRUE(WriteFile(s.appDir() + "/data3/cdkey.dat", std::string("O\1\1\0C\1\1\0", 8)));
  ClickTab(s, 2);
  ASSERT_TRUE(Session::WaitUntil([&] { return Visible(s, kSettingsTitle, "打开光驱:").has_value(); }));
  s.KeepScreenshot("settings-cd-tab");
  ClickOn(s, Visible(s, kSettingsTitle, "保存设置"));
  ASSERT_TRUE(Acknowledge(s, "保存成功"));
  EXPECT_EQ(ReadFile(s.appDir() + "/data3/cdkey.dat"), std::string("O\1\1\0C\1\1\0", 8));
  // Drive 0 is the prefix's CD drive D:; drive 1, one past the last, is MCI's default device.
  // An accelerator's command (high word 1) with a tray id is not a tray request.
  s.Post(frame_msg::kFrameTitle, kWmCommand, (1L << 16) | 1254);
  PressWithFocus(s, s.Window(kSettingsTitle)->handle, "ctrl+alt+o");
  s.Post(frame_msg::kFrameTitle, kWmCommand, 1255);
  ASSERT_TRUE(Session::WaitUntil([&] {
    std::string log = ReadFile(mciLog);
    return log.find("close brovacd0 wait") != std::string::npos && log.find("close brovacd1 wait") != std::string::npos;
  })) << ReadFile(mciLog);
  std::string log = ReadFile(mciLog);
  for (const char* line : {"open D: type cdaudio alias brovacd0 wait\n", "set brovacd0 door open wait\n",
                           "open  type cdaudio alias brovacd1 wait\n", "set brovacd1 door closed wait\n"})
    EXPECT_NE(log.find(line), std::string::npos) << line << " missing from\n" << log;
  EXPECT_EQ(log.find("set brovacd0 door closed"), std::string::npos) << log;
  EXPECT_TRUE(s.Running(brova)) << "MCI errors without a drive are harmless";

  // "启动": the Run value and the marker file.
  ClickTab(s, 3);
  std::optional<WindowInfo> run, showCenter;
  ASSERT_TRUE(Session::WaitUntil([&] { return (run = Visible(s, kSettingsTitle, "启动计算机时运行")).has_value(); }));
  showCenter = Visible(s, kSettingsTitle, "运行时显示 管理中心");
  ASSERT_TRUE(showCenter);
  EXPECT_FALSE(Checked(s, *run));
  EXPECT_TRUE(Checked(s, *showCenter));
  ClickOn(s, run);
  ClickOn(s, showCenter);
  s.KeepScreenshot("settings-startup-tab");
  ClickOn(s, Visible(s, kSettingsTitle, "保存设置"));
  ASSERT_TRUE(Acknowledge(s, "保存成功"));
  RunResult value = s.Winctl("reg-read " + ShellQuote(kRunKey) + " vq09");
  EXPECT_EQ(value.status, 0);
  EXPECT_EQ(value.out, "\"" + Session::WinPath(s.appDir()) + "\\velmo.exe\"\n");
  EXPECT_EQ(ReadFile(s.appDir() + "/data/show_no.ini"), "");
  EXPECT_EQ(s.Shell("test -f data/show_no.ini").status, 0);
  ClickOn(s, run);
  ASSERT_TRUE(Acknowledge(s, "如果取消本选项,软件的某些功能将不能正常使用.")) << "no warning on clearing";
  ClickOn(s, showCenter);
  ClickOn(s, Visible(s, kSettingsTitle, "保存设置"));
  ASSERT_TRUE(Acknowledge(s, "保存成功"));
  EXPECT_NE(s.Winctl("reg-read " + ShellQuote(kRunKey) + " vq09").status, 0);
  EXPECT_NE(s.Shell("test -f data/show_no.ini").status, 0);
  // A marker that cannot be made (a folder has its name) is reported as a
  // failed save, not as saved.
  ASSERT_EQ(s.Shell("mkdir data/show_no.ini").status, 0);
  ClickOn(s, showCenter);
  ClickOn(s, Visible(s, kSettingsTitle, "保存设置"));
  ASSERT_TRUE(Acknowledge(s, "保存失败,请检查磁盘空间和写入权限"));
  EXPECT_FALSE(FindMessageBox(s, "保存成功", TextMatch::kPart).has_value());

  // The keyboard moves the tab highlight but not the page.
  ClickTab(s, 3);
  s.Xdotool("key Left");
  auto tabs = s.Item(kSettingsTitle, 1040);
  EXPECT_TRUE(Session::WaitUntil([&] { return s.Send(tabs->handle, kTcmGetCurSel) == 2; }));
  EXPECT_TRUE(Visible(s, kSettingsTitle, "启动计算机时运行").has_value());
  EXPECT_FALSE(Visible(s, kSettingsTitle, "打开光驱:").has_value());
  // A click after the arrow keys still picks the tab clicked.
  ClickTab(s, 1);
  EXPECT_TRUE(Session::WaitUntil([&] { return Visible(s, kSettingsTitle, "刷新窗口").has_value(); }))
      << "the click did not change the page";
  EXPECT_FALSE(Visible(s, kSettingsTitle, "启动计算机时运行").has_value());
  EXPECT_EQ(s.Send(tabs->handle, kTcmGetCurSel), 1);
  // Back on "屏捕", the capture page shows again above the window.
  ClickTab(s, 0);
  EXPECT_TRUE(Session::WaitUntil([&] {
    auto page = s.Window(capturePage->handle);
    return page && page->visible && Above(s, capturePage->handle, settings->handle);
  }));
  s.KeepScreenshot("settings-capture-tab-again");
}

// Failed saves of the start-up page name their cause, not the disk: a Run
// key the user may only read, and a program folder so long that the Run
// command passes 254 characters.
TEST(SettingsWindow, StartupPageNamesMissingRightsAndALongProgramFolder) {
  Session s;
  const std::string app = Session::WinPath(s.appDir());
  // The folder with its backslash is 246 characters: the command is 257,
  // brova.exe's path 255, still inside MAX_PATH.
  const size_t length = 246 - app.size() - 2;
  std::string deep = "long";
  while (deep.size() < length) deep += deep.size() % 100 == 99 ? '/' : 'f';
  if (deep.back() == '/') deep.back() = 'f';
  ASSERT_EQ(s.Shell("mkdir -p " + ShellQuote(deep) + " && for f in *; do [ \"$f\" = long ] || cp -r \"$f\" " +
                    ShellQuote(deep) + "/; done")
                .status,
            0);
  // A Run value of an earlier install, which the user may not change.
  ASSERT_EQ(s.Winctl("reg-write " + ShellQuote(kRunKey) + " vq09 old").status, 0);
  ASSERT_EQ(s.Winctl("reg-readonly " + ShellQuote(kRunKey)).status, 0);
  s.Start(deep + "/brova.exe");
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  ASSERT_FALSE(OpenFromCenter(s, 1029, kSettingsTitle).empty());
  ClickTab(s, 3);
  std::optional<WindowInfo> run;
  ASSERT_TRUE(Session::WaitUntil([&] { return (run = Visible(s, kSettingsTitle, "启动计算机时运行")).has_value(); }));
  EXPECT_FALSE(Checked(s, *run)) << "a key that cannot be opened shows the box clear";
  ClickOn(s, Visible(s, kSettingsTitle, "保存设置"));
  ASSERT_TRUE(Acknowledge(s, "没有修改启动项")) << "the failure does not name the rights";
  EXPECT_EQ(s.Winctl("reg-read " + ShellQuote(kRunKey) + " vq09").out, "old\n");
  ClickOn(s, run);
  ClickOn(s, Visible(s, kSettingsTitle, "保存设置"));
  ASSERT_TRUE(Acknowledge(s, "超过254个字符")) << "the failure does not name the long folder";
  EXPECT_FALSE(FindMessageBox(s, "磁盘空间", TextMatch::kPart).has_value());
  EXPECT_EQ(s.Winctl("reg-read " + ShellQuote(kRunKey) + " vq09").out, "old\n");
}

// The local time in minutes plus hour, once enough of the minute is left
// for the test's steps.
std::pair<int, int> CurrentMinuteWithTimeLeft() {
  std::tm now{};
  Session::WaitUntil(
      [&] {
        std::time_t t = std::time(nullptr);
        localtime_r(&t, &now);
        return now.tm_sec < 40;
      },
      30000);
  return {now.tm_hour, now.tm_min};
}

TEST(Shutdown, DialogStoresAndCancelsAndTheCountdownOpensAtTheMinute) {
  Session s;
  const std::string marker = s.appDir() + "/shutdown.marker";
  s.SetEnv("BROVA_TEST_SHUTDOWN_MARKER", Session::WinPath(marker));
  s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  const std::string timeFile = s.appDir() + "/data3/shutdown.ini";

  std::string dlg = OpenFromCenter(s, 1027, kShutdownTitle);
  ASSERT_FALSE(dlg.empty());
  EXPECT_TRUE(s.Item(dlg, 1038)->enabled);
  EXPECT_FALSE(s.Item(dlg, 1020)->enabled);
  s.Send(s.Item(dlg, 1004)->handle, kCbSetCurSel, 22);
  s.Send(s.Item(dlg, 1005)->handle, kCbSetCurSel, 5);
  ClickOn(s, s.Item(dlg, 1038));
  ASSERT_TRUE(s.WaitForNoWindow(kShutdownTitle));
  EXPECT_EQ(ReadFile(timeFile), "22,5");

  // A stored time shows, with only "取消自动关机" usable; "关闭" changes nothing.
  dlg = OpenFromCenter(s, 1027, kShutdownTitle);
  ASSERT_FALSE(dlg.empty());
  EXPECT_NE(s.Winctl("combo " + s.Item(dlg, 1004)->handle).out.find("*22\t22\n"), std::string::npos);
  EXPECT_NE(s.Winctl("combo " + s.Item(dlg, 1005)->handle).out.find("*5\t5\n"), std::string::npos);
  EXPECT_FALSE(s.Item(dlg, 1038)->enabled);
  EXPECT_TRUE(s.Item(dlg, 1020)->enabled);
  s.KeepScreenshot("shutdown-dialog");
  ClickOn(s, s.Item(dlg, 2));
  ASSERT_TRUE(s.WaitForNoWindow(kShutdownTitle));
  EXPECT_EQ(ReadFile(timeFile), "22,5");
  dlg = OpenFromCenter(s, 1027, kShutdownTitle);
  ClickOn(s, s.Item(dlg, 1020));
  ASSERT_TRUE(s.WaitForNoWindow(kShutdownTitle));
  EXPECT_NE(s.Shell("test -f data3/shutdown.ini").status, 0);

  // The current minute: the countdown opens, counts, refuses Close, and is cancelled.
  auto [hour, minute] = CurrentMinuteWithTimeLeft();
  dlg = OpenFromCenter(s, 1027, kShutdownTitle);
  s.Send(s.Item(dlg, 1004)->handle, kCbSetCurSel, hour);
  s.Send(s.Item(dlg, 1005)->handle, kCbSetCurSel, minute);
  ClickOn(s, s.Item(dlg, 1038));
  auto countdown = s.WaitForWindow(kCountdownTitle);
  ASSERT_TRUE(countdown) << "no countdown at " << hour << ":" << minute;
  EXPECT_TRUE(WaitForItemText(s, countdown->handle, 1002, "秒后关机"));
  s.Post(countdown->handle, kWmSysCommand, kScClose);
  EXPECT_TRUE(WaitForItemText(s, countdown->handle, 1002, "系统将在 2"));
  EXPECT_TRUE(s.Window(countdown->handle)->visible) << "Close is refused";
  s.KeepScreenshot("shutdown-countdown");
  ClickOn(s, s.Item(countdown->handle, 2));
  ASSERT_TRUE(Session::WaitUntil([&] { return !s.Window(countdown->handle)->visible; }));
  EXPECT_NE(s.Shell("test -f shutdown.marker").status, 0) << "cancelled, nothing shut down";

  // A new time saved after the cancelled countdown comes at its minute the same day.
  const int next = (hour * 60 + minute + 1) % (24 * 60);
  dlg = OpenFromCenter(s, 1027, kShutdownTitle);
  ASSERT_FALSE(dlg.empty());
  const std::string hours = s.Item(dlg, 1004)->handle, minutes = s.Item(dlg, 1005)->handle;
  s.Send(hours, kCbShowDropDown, 1);  // opening a list makes the stored time replaceable
  s.Send(hours, kCbShowDropDown, 0);
  s.Send(hours, kCbSetCurSel, next / 60);
  s.Send(minutes, kCbSetCurSel, next % 60);
  ClickOn(s, s.Item(dlg, 1038));
  ASSERT_TRUE(s.WaitForNoWindow(kShutdownTitle));
  EXPECT_EQ(ReadFile(timeFile), text::Format("%d,%d", next / 60, next % 60));
  countdown = s.WaitForWindow(kCountdownTitle, 100000);
  ASSERT_TRUE(countdown) << "no countdown at " << next / 60 << ":" << next % 60 << " after one today";

  // "取消自动关机" while it counts closes it: the computer keeps running.
  s.Winctl("move " + countdown->handle + " 0 0 330 130");  // clear of the dialog's buttons
  dlg = OpenFromCenter(s, 1027, kShutdownTitle);
  ASSERT_FALSE(dlg.empty());
  ClickOn(s, s.Item(dlg, 1020));
  ASSERT_TRUE(s.WaitForNoWindow(kShutdownTitle));
  EXPECT_NE(s.Shell("test -f data3/shutdown.ini").status, 0);
  EXPECT_TRUE(s.WaitForNoWindow(kCountdownTitle)) << "the countdown counts on without a shutdown time";
  EXPECT_FALSE(s.Window(countdown->handle).has_value()) << "the countdown window is still there";
  EXPECT_NE(s.Shell("test -f shutdown.marker").status, 0);
}

}  // namespace
