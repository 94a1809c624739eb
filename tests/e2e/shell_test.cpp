// The shell as a user and as other programs see it: start, single instance,
// the capture window, the tray menu, exit.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/FrameMessages.h"
#include "tests/support/E2e.h"

namespace {

using frame_msg::kTrayCallback;
constexpr unsigned kWmRButtonDown = 0x0204;
constexpr unsigned kWmCommand = 0x0111;

TEST(Shell, StartShowsCaptureWindowTopMostAndCentredWithItsButtons) {
  e2e::Session s;
  pid_t brova = s.StartBrova();
  auto vistrel = s.WaitForWindow("Vistrel");
  ASSERT_TRUE(vistrel) << "capture window never appeared";
  EXPECT_TRUE(vistrel->topmost);
  EXPECT_NEAR(vistrel->centerX(), 1280 / 2, 2);
  EXPECT_NEAR(vistrel->centerY(), 800 / 2, 2);

  struct Expected {
    int id;
    const char* caption;
  } buttons[] = {{1009, "截取全屏"}, {1010, "截取指定窗口"}, {1011, "截取指定区域"},
                 {1029, "参数设置"}, {1008, "软件官网"},     {1017, "退出程序"}};
  for (const auto& b : buttons) {
    auto item = s.Item("Vistrel", b.id);
    ASSERT_TRUE(item) << b.id;
    EXPECT_EQ(item->text, b.caption);
    EXPECT_TRUE(item->visible);
  }
  EXPECT_NE(s.Item("Vistrel", 1044)->text.find("www."), std::string::npos);

  // The frame exists, hidden, under its title.
  auto frame = s.Window("Pagorin");
  ASSERT_TRUE(frame);
  EXPECT_FALSE(frame->visible);
  EXPECT_EQ(frame->width(), 0);
  s.KeepScreenshot("capture-window");
  EXPECT_TRUE(s.Running(brova));
}

TEST(Shell, SecondCopyShowsMessageAndLeavesOneFrame) {
  e2e::Session s;
  pid_t first = s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  pid_t second = s.StartBrova();
  // The second copy's message box.
  std::optional<e2e::WindowInfo> box = e2e::WaitForMessageBox(s, "程序己在运行中");
  ASSERT_TRUE(box);
  EXPECT_EQ(s.CountWindows("Pagorin"), 1);
  // Closing the box ends the second copy; the first runs on.
  s.Post(box->handle, 0x0010);  // WM_CLOSE
  EXPECT_TRUE(s.WaitForExit(second));
  EXPECT_TRUE(s.Running(first));
  EXPECT_EQ(s.CountWindows("Pagorin"), 1);
}

TEST(Shell, ExitButtonEndsTheProgram) {
  e2e::Session s;
  pid_t brova = s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  auto exit = s.Item("Vistrel", 1017);
  ASSERT_TRUE(exit);
  s.Xdotool("mousemove " + std::to_string(exit->centerX()) + " " + std::to_string(exit->centerY()) + " click 1");
  EXPECT_TRUE(s.WaitForExit(brova));
  EXPECT_EQ(s.CountWindows("Pagorin"), 0);
}

TEST(Shell, ExitCommandAndClosingTheCaptureWindowEndTheProgram) {
  const struct {
    const char* window;
    unsigned msg;
    long wParam;
  } kEnds[] = {{"Pagorin", kWmCommand, 32796},
               {"Vistrel", 0x0010, 0}};  // WM_CLOSE, as the caption's close box does
  for (const auto& end : kEnds) {
    e2e::Session s;
    pid_t brova = s.StartBrova();
    ASSERT_TRUE(s.WaitForWindow("Vistrel"));
    s.Post(end.window, end.msg, end.wParam);
    EXPECT_TRUE(s.WaitForExit(brova)) << end.window;
  }
}

// The bands of text lines in a menu window, top to bottom, and the darkest
// grey level of each: items drawn enabled reach black, disabled ones stay grey.
struct Band {
  int top, bottom, darkest;
};
std::vector<Band> TextBands(const e2e::Image& img, const e2e::WindowInfo& menu) {
  std::vector<Band> bands;
  bool in = false;
  for (int y = menu.top + 2; y < menu.bottom - 2; ++y) {
    int darkest = 255, dark = 0;
    for (int x = menu.left + 2; x < menu.right - 2; ++x) {
      int g = img.gray(x, y);
      darkest = std::min(darkest, g);
      if (g < 200) ++dark;
    }
    // A separator is a full-width line; text covers only part of the row.
    bool text = dark > 0 && dark < (menu.right - menu.left) / 2;
    if (text && !in) bands.push_back({y, y, darkest});
    if (text) {
      bands.back().bottom = y;
      bands.back().darkest = std::min(bands.back().darkest, darkest);
    }
    in = text;
  }
  return bands;
}

// Starts brova, sends the frame a menu command once the capture window is up,
// and waits for the window the command shows.
std::optional<e2e::WindowInfo> StartAndCommand(e2e::Session& s, unsigned command, const std::string& title) {
  s.StartBrova();
  if (!s.WaitForWindow("Vistrel")) return std::nullopt;
  s.Post("Pagorin", kWmCommand, command);
  return s.WaitForWindow(title);
}

TEST(Shell, TrayMenuOpensWithEveryItemEnabled) {
  e2e::Session s;
  s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  s.Xdotool("mousemove 300 200");
  s.Post("Pagorin", kTrayCallback, 0, kWmRButtonDown);
  std::optional<e2e::WindowInfo> menu;
  ASSERT_TRUE(e2e::Session::WaitUntil([&] {
    for (const auto& w : s.TopLevelWindows())
      if (w.cls == "#32768" && w.visible) menu = w;
    return menu.has_value();
  }));
  // The menu opens at the cursor.
  EXPECT_EQ(menu->left, 300);
  EXPECT_EQ(menu->top, 200);
  e2e::Session::WaitUntil([&] { return TextBands(s.Grab(), *menu).size() == 8; }, 5000);
  s.KeepScreenshot("tray-menu");
  auto bands = TextBands(s.Grab(), *menu);
  ASSERT_EQ(bands.size(), 8u) << "eight items and two separators";
  for (const auto& b : bands) EXPECT_LT(b.darkest, 60) << "item at y=" << b.top << " is drawn disabled";

  // The seventh item, "关于软件", works from the menu.
  int y = (bands[6].top + bands[6].bottom) / 2;
  s.Xdotool("mousemove " + std::to_string(menu->centerX()) + " " + std::to_string(y) + " click 1");
  EXPECT_TRUE(s.WaitForWindow("关于 Tolvana"));
}

TEST(Shell, AboutBoxFromTheTrayMenu) {
  e2e::Session s;
  auto about = StartAndCommand(s, 32797, "关于 Tolvana");
  ASSERT_TRUE(about);
  EXPECT_TRUE(about->topmost);
  EXPECT_EQ(s.Item(about->handle, 1016)->text, "Vistrel Ver1.02");
  EXPECT_NE(s.Item(about->handle, 1041)->text.find("brova.exe"), std::string::npos);
  s.KeepScreenshot("about-box");
  auto ok = s.Item(about->handle, 1);
  ASSERT_TRUE(ok);
  s.Xdotool("mousemove " + std::to_string(ok->centerX()) + " " + std::to_string(ok->centerY()) + " click 1");
  EXPECT_TRUE(s.WaitForNoWindow("关于 Tolvana"));
}

TEST(Shell, TrayIconComesBackOnANewTaskbar) {
  e2e::Session s;
  pid_t brova = s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return s.Winctl("tray has Pagorin 128").status == 0; }));
  // The taskbar goes away with its icons and a new one announces itself.
  ASSERT_EQ(s.Winctl("tray remove Pagorin 128").status, 0);
  ASSERT_NE(s.Winctl("tray has Pagorin 128").status, 0);
  ASSERT_EQ(s.Winctl("broadcast-registered TaskbarCreated").status, 0);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return s.Winctl("tray has Pagorin 128").status == 0; }));
  // A broadcast while the icon is still there keeps it, and the program
  // still ends as before.
  ASSERT_EQ(s.Winctl("broadcast-registered TaskbarCreated").status, 0);
  EXPECT_EQ(s.Winctl("tray has Pagorin 128").status, 0);
  s.Post("Pagorin", kWmCommand, 32796);
  EXPECT_TRUE(s.WaitForExit(brova, 20000));
}

TEST(Shell, FrameCommandsShowAndHideTheFrame) {
  e2e::Session s;
  auto frame = StartAndCommand(s, 32776, "Pagorin");
  ASSERT_TRUE(frame) << "the frame stays hidden";
  EXPECT_EQ(frame->left, 0);
  EXPECT_EQ(frame->top, 0);
  EXPECT_EQ(frame->width(), 550);
  EXPECT_EQ(frame->height(), 500);
  EXPECT_TRUE(frame->style & 0x00C00000u) << "WS_CAPTION";
  s.Post("Pagorin", kWmCommand, 32777);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    auto f = s.Window("Pagorin");
    return f && !f->visible && f->width() == 0;
  }));
}

// What brova hands to the shell (the ledger's exports) opens as on Windows:
// a text file in Notepad, a web page with the program of "htmlfile".
TEST(Shell, TextFilesAndWebPagesHaveTheProgramsOfWindows) {
  e2e::Session s;
  s.Shell("printf 'x\\r\\n' > export.txt");
  s.Shell("wine start export.txt");
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    for (const auto& w : s.TopLevelWindows())
      if (w.visible && w.text.find("export.txt") != std::string::npos) return true;
    return false;
  })) << "no Notepad with export.txt";
  for (const char* ext : {".htm", ".html"})
    EXPECT_EQ(s.Winctl(std::string("reg-read 'HKLM\\Software\\Classes\\") + ext + "' ''").out, "htmlfile\n") << ext;
  EXPECT_NE(s.Winctl("reg-read 'HKLM\\Software\\Classes\\htmlfile\\shell\\open\\command' ''").out.find("winebrowser"),
            std::string::npos);
}

}  // namespace
