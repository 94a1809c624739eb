// Delayed full-screen captures: the full-screen button's right-click menu,
// the tray's "延时截屏" commands and the [DELAY] setting; a countdown that
// never takes the focus, is never in the picture, and is cancelled by a
// click or Esc.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <sstream>

#include "common/FrameMessages.h"
#include "tests/support/CaptureCheck.h"
#include "tests/support/E2e.h"

namespace {

using namespace e2e;

constexpr unsigned kWmCommand = 0x0111;
constexpr long kDelay3 = 32820;
const char kCountdownTitle[] = "延时截屏";

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The open popup menu's rectangle, if one is open.
std::optional<Box> OpenMenuBox(Session& s) {
  std::istringstream in(s.Winctl("menu").out);
  std::string word, handle;
  Box b;
  if (!(in >> word >> handle >> b.left >> b.top >> b.right >> b.bottom) || word != "menu") return std::nullopt;
  return b;
}

// Pixels of box that differ between two grabs of the screen.
long DifferencesIn(const Image& a, const Image& b, const Box& box) {
  long n = 0;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x)
      if (std::memcmp(a.at(x, y), b.at(x, y), 3) != 0) ++n;
  return n;
}

TEST(Delay, OpenMenuOfAProgramIsInThePictureAndTheCountdownIsNot) {
  Session s;
  s.StartBrova();
  auto vistrel = s.WaitForWindow("Vistrel");
  ASSERT_TRUE(vistrel);
  auto notepad = StartNotepad(s);
  ASSERT_TRUE(notepad) << "notepad did not start";
  // Left of the capture window, clear of its buttons.
  ASSERT_EQ(s.Winctl("move " + notepad->handle + " 20 20 420 320").status, 0);
  MoveTo(s, 1270, 10);
  const Image before = StableGrab(s);

  // The full-screen button's right-click menu.
  auto full = s.Item("Vistrel", 1009);
  ASSERT_TRUE(full);
  Click(s, full->centerX(), full->centerY(), 3);
  std::optional<Box> menu;
  ASSERT_TRUE(Session::WaitUntil([&] { return (menu = OpenMenuBox(s)).has_value(); })) << "no delay menu";
  s.KeepScreenshot("capture-delay-menu");
  // The 10 s entry: time enough to open a menu on a busy machine.
  const int itemHeight = (menu->bottom - menu->top) / 3;
  Click(s, (menu->left + menu->right) / 2, menu->top + itemHeight * 5 / 2);
  auto countdown = s.WaitForWindow(kCountdownTitle);
  ASSERT_TRUE(countdown) << "no countdown";
  EXPECT_TRUE(countdown->topmost);
  EXPECT_FALSE(s.Window("Vistrel")->visible) << "the capture window hides for its capture";

  // Notepad's "文件" menu, opened during the countdown, stays open: the
  // countdown never takes the focus.
  const std::string client = s.Winctl("client " + notepad->handle).out;
  int cl = 0, ct = 0;
  ASSERT_EQ(std::sscanf(client.c_str(), "%d %d", &cl, &ct), 2);
  Click(s, cl + 12, ct - 8);
  std::optional<Box> open;
  ASSERT_TRUE(Session::WaitUntil([&] { return (open = OpenMenuBox(s)).has_value(); })) << "notepad's menu did not open";
  MoveTo(s, 1270, 10);
  const Image withMenu = StableGrab(s);
  s.KeepScreenshot("capture-countdown");
  EXPECT_NE(s.Winctl("foreground").out.find(notepad->handle), std::string::npos) << s.Winctl("foreground").out;

  ASSERT_TRUE(s.WaitForWindow(kResultTitle, 30000));
  EXPECT_FALSE(s.Window(kCountdownTitle)) << "the countdown is gone";
  const std::string folder = s.appDir() + "/Snapshot";
  ASSERT_FALSE(WaitForSnapshot(folder).empty());
  const Image picture = ReadImage(folder + "/" + SnapshotFiles(folder).front());
  ASSERT_EQ(picture.width, 1280);
  EXPECT_EQ(DifferencesIn(picture, withMenu, *open), 0) << "the open menu is in the picture";
  const Box shown{countdown->left, countdown->top, countdown->right, countdown->bottom};
  EXPECT_GT(DifferencesIn(withMenu, before, shown), 0) << "the countdown was on the screen";
  EXPECT_EQ(DifferencesIn(picture, before, shown), 0) << "the countdown is not in the picture";
}

TEST(Delay, ClickOrEscapeCancelsAndTheSettingDelaysEveryFullScreenCapture) {
  Session s;
  ASSERT_TRUE(WriteFile(s.appDir() + "/data/capture.ini", "[DELAY]\r\n2\r\n"));
  s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  // The tray's 10 s command, cancelled by a click on the countdown, then by Esc.
  for (bool click : {true, false}) {
    SCOPED_TRACE(click ? "click" : "Esc");
    ASSERT_TRUE(s.Post("Pagorin", kWmCommand, kDelay3 + 2));
    auto countdown = s.WaitForWindow(kCountdownTitle);
    ASSERT_TRUE(countdown);
    if (click) {
      Click(s, countdown->centerX(), countdown->centerY());
    } else {
      // Typed into the capture window, which keeps the focus.
      s.Winctl("activate Vistrel");
      s.Xdotool("key Escape");
    }
    ASSERT_TRUE(s.WaitForNoWindow(kCountdownTitle, 5000)) << "not cancelled";
    EXPECT_FALSE(s.Window(kResultTitle));
    EXPECT_TRUE(SnapshotFiles(s.appDir() + "/Snapshot").empty());
  }
  // The capture message counts the setting's 2 s down first.
  ASSERT_TRUE(s.Post("Pagorin", frame_msg::kCaptureFullScreen));
  ASSERT_TRUE(s.WaitForWindow(kCountdownTitle));
  ASSERT_TRUE(s.WaitForWindow(kResultTitle, 30000));
  EXPECT_FALSE(s.Window(kCountdownTitle));
  EXPECT_EQ(SnapshotFiles(s.appDir() + "/Snapshot").size(), 1u);
}

}  // namespace
