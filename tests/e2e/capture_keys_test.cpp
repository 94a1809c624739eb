// The capture hot keys pressed as real keys while another Windows program
// has the focus, and the capture settings window that the capture window
// opens.
#include <gtest/gtest.h>

#include "tests/support/CaptureCheck.h"
#include "common/FrameMessages.h"
#include "tests/support/E2e.h"

namespace {

using namespace e2e;

using frame_msg::kCaptureFullScreen;
const char kSettingsTitle[] = "参数设置";
constexpr int kToClipboard = 1005, kToFile = 1006, kFolder = 1007, kSave = 1015;
constexpr int kFormat = 1050, kQuality = 1051, kScreens = 1052, kDelay = 1053;

// A message box of brova's that shows text; nullopt while there is none.
std::optional<WindowInfo> MessageBoxWith(Session& s, const std::string& text) { return FindMessageBox(s, text); }

void ClickItem(Session& s, const std::string& window, int id) {
  auto item = s.Item(window, id);
  ASSERT_TRUE(item) << "no control " << id;
  Click(s, item->centerX(), item->centerY());
}

// Gives the keyboard to notepad, a Windows program: under Wine keys reach
// the hot keys only while a Windows window has the focus.
void FocusNotepad(Session& s, const WindowInfo& notepad) {
  s.Winctl("activate " + notepad.handle);
  ASSERT_TRUE(Session::WaitUntil([&] { return s.Winctl("foreground").out.find(notepad.handle) == 0; }));
}

TEST(HotKeys, CtrlAltOneTwoThreeStartTheThreeCaptures) {
  Session s;
  pid_t brova = s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  s.Start("notepad.exe");
  std::optional<WindowInfo> notepad;
  ASSERT_TRUE(Session::WaitUntil([&] {
    for (const auto& w : s.TopLevelWindows())
      if (w.cls == "Notepad" && w.visible) notepad = w;
    return notepad.has_value();
  }));
  MoveTo(s, 1000, 600);

  // A pick key opens the prompt where the cursor is; Escape ends the pick.
  auto pick = [&](const std::string& key, int x, int y, const std::string& text) {
    FocusNotepad(s, *notepad);
    s.Xdotool("key " + key);
    ASSERT_TRUE(s.WaitForWindow(kPromptTitle)) << key << " started no pick";
    MoveTo(s, x, y);
    EXPECT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, text));
    s.Xdotool("key Escape");
    ASSERT_TRUE(s.WaitForNoWindow(kPromptTitle));
  };
  ASSERT_NO_FATAL_FAILURE(pick("ctrl+alt+2", 1010, 610, "截取指定窗口"));
  ASSERT_NO_FATAL_FAILURE(pick("ctrl+alt+3", 1000, 600, "按鼠标左键确定区域第一点和第二点"));

  FocusNotepad(s, *notepad);
  s.Xdotool("key ctrl+alt+1");
  ASSERT_TRUE(s.WaitForWindow(kResultTitle)) << "Ctrl+Alt+1 started no full-screen capture";
  EXPECT_FALSE(WaitForSnapshot(s.appDir() + "/Snapshot").empty());
  EXPECT_TRUE(s.Running(brova));
}

TEST(Settings, SavedFromTheCaptureWindowAndUsedByTheNextCapture) {
  Session s;
  s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  ClickItem(s, "Vistrel", 1029);
  auto page = s.WaitForWindow(kSettingsTitle);
  ASSERT_TRUE(page) << "settings window never appeared";
  // The defaults: both outputs, the folder beside the program.
  const std::string defaultFolder = Session::WinPath(s.appDir()) + "\\Snapshot\\";
  EXPECT_EQ(ItemText(s, kSettingsTitle, kFolder), defaultFolder);
  EXPECT_EQ(ItemText(s, kSettingsTitle, kToClipboard), "将截屏存入剪贴板中");
  EXPECT_EQ(ItemText(s, kSettingsTitle, kToFile), "将截屏存于文件中(*.bmp)");
  EXPECT_EQ(std::stol(s.Winctl("send " + ShellQuote(s.Item(kSettingsTitle, kToClipboard)->handle) + " 0xF0 0 0").out), 1)
      << "clipboard box checked";
  EXPECT_FALSE(s.Item(kSettingsTitle, 1009)->visible) << "hot keys are not edited here";
  // Below them the options, at their defaults.
  const std::string formatList = s.Item(kSettingsTitle, kFormat)->handle;
  EXPECT_EQ(s.Winctl("combo " + formatList).out, "*0\tBMP\n1\tPNG\n2\tJPEG\n");
  EXPECT_EQ(s.Winctl("combo " + s.Item(kSettingsTitle, kScreens)->handle).out,
            "*0\t主屏幕\n1\t全部屏幕\n2\t鼠标所在屏幕\n");
  EXPECT_EQ(ItemText(s, kSettingsTitle, kQuality), "90");
  EXPECT_EQ(ItemText(s, kSettingsTitle, kDelay), "0");
  s.KeepScreenshot("capture-settings-window");

  // "浏览" asks for a folder with the page's title text; cancelling keeps the folder.
  ClickItem(s, kSettingsTitle, 1008);
  std::optional<WindowInfo> browse;
  ASSERT_TRUE(Session::WaitUntil([&] {
    for (const auto& w : s.TopLevelWindows()) {
      if (w.cls != "#32770" || !w.visible) continue;
      for (const auto& c : s.Children(w.handle))
        if (c.text == "请选择目录") browse = w;
    }
    return browse.has_value();
  })) << "no folder browser";
  s.KeepScreenshot("capture-settings-browse");
  s.Post(browse->handle, 0x0111, 2);  // IDCANCEL
  ASSERT_TRUE(s.WaitForNoWindow(browse->handle));
  EXPECT_EQ(ItemText(s, kSettingsTitle, kFolder), defaultFolder);

  // A folder without a drive is refused and nothing is written; so is one
  // too long for the record.
  auto refused = [&](const std::string& folder, const std::string& message) {
    ASSERT_EQ(s.Winctl("settext " + ShellQuote(kSettingsTitle) + " 1007 " + ShellQuote(folder)).status, 0);
    ClickItem(s, kSettingsTitle, kSave);
    auto box = WaitForMessageBox(s, message);
    ASSERT_TRUE(box) << message;
    s.Post(box->handle, 0x0010);
    ASSERT_TRUE(Session::WaitUntil([&] { return !MessageBoxWith(s, message); }));
    EXPECT_TRUE(ReadFile(s.appDir() + "/data/snapshot.dat").empty());
  };
  ASSERT_NO_FATAL_FAILURE(refused("shots", "保存目录设置不正确"));
  ASSERT_NO_FATAL_FAILURE(refused("C:\\" + std::string(300, 'a'), "保存目录太长"));
  // So are numbers out of their ranges; neither file is written.
  auto refusedNumber = [&](int id, const std::string& value, const std::string& message) {
    ASSERT_EQ(s.Winctl("settext " + ShellQuote(kSettingsTitle) + " " + std::to_string(id) + " " + value).status, 0);
    ASSERT_NO_FATAL_FAILURE(refused(defaultFolder, message));
    EXPECT_TRUE(ReadFile(s.appDir() + "/data/capture.ini").empty());
  };
  ASSERT_NO_FATAL_FAILURE(refusedNumber(kQuality, "0", "JPEG 质量应在 1 到 100 之间"));
  ASSERT_NO_FATAL_FAILURE(refusedNumber(kQuality, "101", "JPEG 质量应在 1 到 100 之间"));
  ASSERT_EQ(s.Winctl("settext " + ShellQuote(kSettingsTitle) + " 1051 75").status, 0);
  ASSERT_NO_FATAL_FAILURE(refusedNumber(kDelay, "31", "延时应在 0 到 30 秒之间"));
  ASSERT_EQ(s.Winctl("settext " + ShellQuote(kSettingsTitle) + " 1053 0").status, 0);
  s.Send(formatList, 0x014E, 1);  // CB_SETCURSEL: PNG

  // Clipboard off, a new folder typed without its backslash.
  ClickItem(s, kSettingsTitle, kToClipboard);
  ASSERT_EQ(s.Winctl("settext " + ShellQuote(kSettingsTitle) + " 1007 " + ShellQuote("  C:\\shots\\new  ")).status, 0);
  ClickItem(s, kSettingsTitle, kSave);
  auto saved = WaitForMessageBox(s, "保存成功");
  ASSERT_TRUE(saved);
  std::string record = ReadFile(s.appDir() + "/data/snapshot.dat");
  ASSERT_EQ(record.size(), 280u);
  EXPECT_EQ(record.substr(0, 12), std::string("1\1\1\0" "2\1\1\0" "3\1\1\0", 12)) << "hot keys kept";
  EXPECT_EQ(record.substr(12, 8), std::string("\0\0\0\0\1\0\0\0", 8)) << "clipboard off, file on";
  EXPECT_EQ(record.substr(20, 13), "C:\\shots\\new\\");
  EXPECT_EQ(record.substr(33), std::string(280 - 33, '\0'));
  EXPECT_EQ(ReadFile(s.appDir() + "/data/capture.ini"),
            "[FORMAT]\r\npng\r\n[JPEG_QUALITY]\r\n75\r\n[SCREENS]\r\nprimary\r\n[DELAY]\r\n0\r\n");
  s.Post(saved->handle, 0x0010);
  EXPECT_TRUE(s.WaitForNoWindow(kSettingsTitle)) << "the window closes after a save";

  // The frame took the new settings at once.
  s.Winctl("clear-clipboard");
  ASSERT_TRUE(s.Post("Pagorin", kCaptureFullScreen));
  ASSERT_TRUE(s.WaitForWindow(kResultTitle));
  const std::string folder = s.workDir() + "/prefix/drive_c/shots/new";
  EXPECT_FALSE(WaitForSnapshot(folder, 20000, ".png").empty());
  EXPECT_TRUE(WaitForItemText(s, kResultTitle, kInfoLineId, " 保存目录: C:\\shots\\new\\Snapshot"));
  EXPECT_NE(ItemText(s, kResultTitle, kInfoLineId).find(".png"), std::string::npos);
  EXPECT_EQ(s.Winctl("clipboard").out.find("bitmap"), std::string::npos);
  EXPECT_TRUE(SnapshotFiles(s.appDir() + "/Snapshot").empty());
}

}  // namespace
