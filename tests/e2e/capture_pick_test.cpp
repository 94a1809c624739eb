// Window and region captures: the prompt, the red frames on the live
// screen, the click protocol with its cancel paths, and the picture cut
// from the grabbed screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "tests/support/CaptureCheck.h"
#include "common/FrameMessages.h"
#include "tests/support/E2e.h"

namespace {

using namespace e2e;

using frame_msg::kCaptureWindow;
using frame_msg::kCaptureRegion;
constexpr int kExitButtonId = 1017;

std::string Position(int left, int top, int width, int height) {
  return "位置 左:" + std::to_string(left) + ", 上:" + std::to_string(top) + ", 宽:" + std::to_string(width) +
         ", 高:" + std::to_string(height);
}

pid_t StartAndWait(Session& s) {
  pid_t brova = s.StartBrova();
  EXPECT_TRUE(s.WaitForWindow("Vistrel")) << "capture window never appeared";
  MoveTo(s, 1270, 10);  // away from the buttons and the tray icon's tip
  return brova;
}

// The height of the tallest line of text in a box: the longest run of rows
// holding a pixel other than the box's background (its top-left pixel).
int TallestTextLine(const Image& img, int left, int top, int right, int bottom) {
  const unsigned char* background = img.at(left, top);
  int tallest = 0, run = 0;
  for (int y = top; y < bottom; ++y) {
    bool ink = false;
    for (int x = left; x < right && !ink; ++x) ink = std::memcmp(img.at(x, y), background, 3) != 0;
    run = ink ? run + 1 : 0;
    tallest = std::max(tallest, run);
  }
  return tallest;
}

// Whether the tallest line of text in the box reaches height pixels once the
// window has painted.
bool TextGrowsTo(Session& s, int left, int top, int right, int bottom, int height) {
  int tallest = 0;
  Session::WaitUntil([&] { return (tallest = TallestTextLine(s.Grab(), left, top, right, bottom)) >= height; }, 5000);
  std::printf("tallest line of text: %d px\n", tallest);
  return tallest >= height;
}

TEST(Pick, RegionMarkedWithTwoClicksAndConfirmedWithAThird) {
  Session s;
  pid_t brova = StartAndWait(s);
  Image screen = StableGrab(s);
  ASSERT_TRUE(s.Post("Pagorin", kCaptureRegion));
  auto prompt = s.WaitForWindow(kPromptTitle);
  ASSERT_TRUE(prompt);
  EXPECT_TRUE(prompt->topmost);
  EXPECT_EQ(prompt->left, 20);
  EXPECT_EQ(prompt->top, 20);

  MoveTo(s, 300, 400);
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, kFirstPointText));
  Click(s, 300, 400);
  MoveTo(s, 500, 500);
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, "截取指定区域  " + Position(300, 400, 200, 100)));
  // One red frame on the rectangle's outermost pixels, the picture inside.
  Image live = s.Grab();
  EXPECT_TRUE(IsRed(live, 300, 400));
  EXPECT_TRUE(IsRed(live, 499, 499));
  EXPECT_TRUE(IsRed(live, 400, 400));
  EXPECT_TRUE(IsRed(live, 300, 450));
  EXPECT_FALSE(IsRed(live, 301, 401));
  EXPECT_FALSE(IsRed(live, 500, 500));
  s.KeepScreenshot("region-rubber-band");

  Click(s, 700, 600);  // second point: the band follows the cursor there, then stays
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, Position(300, 400, 400, 200)));
  MoveTo(s, 900, 700);
  Click(s, 900, 700);  // confirm
  ASSERT_TRUE(s.WaitForNoWindow(kPromptTitle));
  ASSERT_TRUE(s.WaitForWindow(kResultTitle));

  const std::string folder = s.appDir() + "/Snapshot";
  std::string path = WaitForSnapshot(folder);
  ASSERT_FALSE(path.empty());
  auto h = ReadBmpHeader(ReadFile(path));
  ASSERT_TRUE(h);
  EXPECT_EQ(h->width, 400);
  EXPECT_EQ(h->height, 200);
  Image picture = ReadImage(path);
  ASSERT_EQ(picture.width, 400);
  EXPECT_EQ(CountDifferences(picture, screen, 300, 400), 0) << "the grabbed screen, without any frame";
  EXPECT_NE(ItemText(s, kResultTitle, kInfoLineId).find("屏捕信息 [宽=400, 高=200] 保存目录: "), std::string::npos);
  EXPECT_NE(s.Winctl("clipboard").out.find("bitmap 400 200"), std::string::npos);
  EXPECT_TRUE(s.Running(brova));
}

TEST(Pick, PhysicalPixelsOnAScaledDisplay) {
  Session s;
  // 150 % scaling: the program works in the display's own pixels all the same.
  ASSERT_EQ(s.Shell("wine reg add 'HKCU\\Control Panel\\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1")
                .status,
            0);
  StartAndWait(s);
  Image screen = StableGrab(s);
  ASSERT_NO_FATAL_FAILURE(StartRegionPick(s, 300, 400));
  // Text grows with the layout: 14-pixel characters are 21 pixels high here.
  auto prompt = s.WaitForWindow(kPromptTitle);
  ASSERT_TRUE(prompt);
  EXPECT_TRUE(TextGrowsTo(s, prompt->left + 2, prompt->top + 2, prompt->right - 2, prompt->bottom - 2, 18))
      << "the prompt's text at 96-DPI size";
  Click(s, 300, 400);
  Click(s, 700, 650);
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, Position(300, 400, 400, 250)));
  EXPECT_TRUE(IsRed(s.Grab(), 699, 649));
  Click(s, 700, 650);
  ASSERT_TRUE(s.WaitForWindow(kResultTitle));
  std::string path = WaitForSnapshot(s.appDir() + "/Snapshot");
  ASSERT_FALSE(path.empty());
  Image picture = ReadImage(path);
  EXPECT_EQ(picture.width, 400);
  EXPECT_EQ(picture.height, 250);
  EXPECT_EQ(CountDifferences(picture, screen, 300, 400), 0);
  // The skinned buttons' bold 12-pixel captions are 18 pixels high here.
  auto exitButton = s.Item(kResultTitle, kExitButtonId);
  ASSERT_TRUE(exitButton);
  EXPECT_TRUE(TextGrowsTo(s, exitButton->left + 8, exitButton->top + 3, exitButton->right - 8, exitButton->bottom - 3,
                          15))
      << "the button caption at 96-DPI size";
  s.KeepScreenshot("result-window-150-percent");
}

TEST(Pick, RegionRightClickResetsAndEscapeCancels) {
  Session s;
  pid_t brova = StartAndWait(s);
  Image screen = StableGrab(s);
  ASSERT_TRUE(s.Post("Pagorin", kCaptureRegion));
  ASSERT_TRUE(s.WaitForWindow(kPromptTitle));

  // A right click before any point does nothing; only Escape cancels.
  Click(s, 300, 400, 3);
  MoveTo(s, 310, 410);
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, kFirstPointText));
  ASSERT_TRUE(s.Window(kPromptTitle));

  Click(s, 300, 400);
  MoveTo(s, 500, 500);
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, Position(300, 400, 200, 100)));
  EXPECT_TRUE(IsRed(s.Grab(), 300, 400));
  // A right click forgets both points and erases the frame.
  Click(s, 500, 500, 3);
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, kFirstPointText));
  Image after = s.Grab();
  EXPECT_FALSE(IsRed(after, 300, 400));
  EXPECT_FALSE(IsRed(after, 499, 499));

  // The prompt keeps out of the cursor's way: near it, it jumps to the
  // other top corner, 20 pixels from the screen's side, and back.
  auto prompt = s.Window(kPromptTitle);
  ASSERT_TRUE(prompt);
  ASSERT_EQ(prompt->left, 20);
  MoveTo(s, prompt->right - 40, prompt->bottom - 20);
  ASSERT_TRUE(Session::WaitUntil([&] { return s.Window(kPromptTitle)->right == 1280 - 20; }));
  MoveTo(s, 1280 - 40, 60);
  ASSERT_TRUE(Session::WaitUntil([&] { return s.Window(kPromptTitle)->left == 20; }));

  s.Xdotool("key Escape");
  ASSERT_TRUE(s.WaitForNoWindow(kPromptTitle));
  EXPECT_FALSE(s.Window(kResultTitle));
  EXPECT_TRUE(SnapshotFiles(s.appDir() + "/Snapshot").empty());
  EXPECT_TRUE(s.Running(brova));

  // The capture is free again.
  ASSERT_TRUE(s.Post("Pagorin", kCaptureRegion));
  EXPECT_TRUE(s.WaitForWindow(kPromptTitle));
}

TEST(Pick, RegionOfZeroSizeShowsTheResultWindowAndWritesNothing) {
  Session s;
  StartAndWait(s);
  s.Winctl("clear-clipboard");
  ASSERT_NO_FATAL_FAILURE(StartRegionPick(s, 400, 450));
  Click(s, 400, 450);
  Click(s, 400, 450);
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, Position(400, 450, 0, 0)));
  Click(s, 400, 450);
  ASSERT_TRUE(s.WaitForWindow(kResultTitle));
  EXPECT_EQ(ItemText(s, kResultTitle, kInfoLineId), "屏捕信息 [宽=0, 高=0]");
  ExpectNoOutput(s);
}

TEST(Pick, WindowUnderTheCursorLessOnePixelOnEverySide) {
  Session s;
  StartAndWait(s);
  auto notepad = StartNotepad(s);
  ASSERT_TRUE(notepad) << "notepad did not start";
  // Notepad's caret blinks while it has the focus; the capture window takes it.
  s.Winctl("activate Vistrel");
  ASSERT_TRUE(Session::WaitUntil([&] { return s.Winctl("foreground").out.find("Vistrel") != std::string::npos; }));
  MoveTo(s, 1270, 10);
  Image screen = StableGrab(s);
  ASSERT_TRUE(s.Post("Pagorin", kCaptureWindow));
  ASSERT_TRUE(s.WaitForWindow(kPromptTitle));

  // Its title bar belongs to the notepad window itself, not to a child.
  const int x = notepad->left + notepad->width() / 2, y = notepad->top + 10;
  MoveTo(s, x, y);
  const int l = notepad->left + 1, t = notepad->top + 1, w = notepad->width() - 2, h = notepad->height() - 2;
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, "截取指定窗口  " + Position(l, t, w, h)));
  // Two red frames: on the window's edge and one pixel inside.
  Image live = s.Grab();
  const int midY = notepad->top + notepad->height() / 2;
  EXPECT_TRUE(IsRed(live, notepad->left, midY));
  EXPECT_TRUE(IsRed(live, notepad->left + 1, midY));
  EXPECT_TRUE(IsRed(live, notepad->right - 1, midY));
  EXPECT_TRUE(IsRed(live, notepad->right - 2, midY));
  EXPECT_TRUE(IsRed(live, notepad->left + 5, notepad->bottom - 2));
  s.KeepScreenshot("window-highlight");

  Click(s, x, y);
  ASSERT_TRUE(s.WaitForNoWindow(kPromptTitle));
  ASSERT_TRUE(s.WaitForWindow(kResultTitle));
  std::string path = WaitForSnapshot(s.appDir() + "/Snapshot");
  ASSERT_FALSE(path.empty());
  Image picture = ReadImage(path);
  EXPECT_EQ(picture.width, w);
  EXPECT_EQ(picture.height, h);
  EXPECT_EQ(CountDifferences(picture, screen, l, t), 0);
  EXPECT_NE(ItemText(s, kResultTitle, kInfoLineId)
                .find("屏捕信息 [宽=" + std::to_string(w) + ", 高=" + std::to_string(h) + "]"),
            std::string::npos);
  // The click that picked went to no window: notepad is where it was.
  auto still = s.Window(notepad->handle);
  ASSERT_TRUE(still);
  EXPECT_EQ(still->left, notepad->left);
  EXPECT_EQ(still->top, notepad->top);
}

// Only a cancelled region pick ends with a click where the cursor is; with
// the cursor on the capture window's "参数设置" that click opens the
// settings window.
TEST(Pick, CancelledRegionClicksAtTheCursorAndCancelledWindowDoesNot) {
  Session s;
  StartAndWait(s);
  auto settings = s.Item("Vistrel", 1029);
  ASSERT_TRUE(settings);

  ASSERT_TRUE(s.Post("Pagorin", 0x0111, 32786));  // menu command: capture a window
  ASSERT_TRUE(s.WaitForWindow(kPromptTitle));
  MoveTo(s, settings->centerX(), settings->centerY());
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, "截取指定窗口"));
  Click(s, settings->centerX(), settings->centerY(), 3);
  ASSERT_TRUE(s.WaitForNoWindow(kPromptTitle));
  // Nothing to wait for: give a stray click time to arrive, then look.
  EXPECT_FALSE(s.WaitForWindow("参数设置", 1500)) << "a window pick ended with a click";

  ASSERT_TRUE(s.Post("Pagorin", 0x0111, 32788));  // menu command: capture a region
  ASSERT_TRUE(s.WaitForWindow(kPromptTitle));
  MoveTo(s, settings->centerX(), settings->centerY());
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, kFirstPointText));
  s.Xdotool("key Escape");
  ASSERT_TRUE(s.WaitForNoWindow(kPromptTitle));
  EXPECT_TRUE(s.WaitForWindow("参数设置")) << "no click after the cancelled region pick";
}

TEST(Pick, WindowRightClickCancelsAndErasesTheFrames) {
  Session s;
  pid_t brova = StartAndWait(s);
  Image screen = StableGrab(s);
  auto vistrel = s.Window("Vistrel");
  ASSERT_TRUE(vistrel);
  ASSERT_TRUE(s.Post("Pagorin", kCaptureWindow));
  ASSERT_TRUE(s.WaitForWindow(kPromptTitle));
  MoveTo(s, vistrel->centerX(), vistrel->top + 8);
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, "截取指定窗口"));
  EXPECT_TRUE(IsRed(s.Grab(), vistrel->left, vistrel->centerY()));

  Click(s, vistrel->centerX(), vistrel->top + 8, 3);
  ASSERT_TRUE(s.WaitForNoWindow(kPromptTitle));
  EXPECT_FALSE(s.Window(kResultTitle));
  EXPECT_TRUE(ListDir(s.appDir() + "/Snapshot").empty());
  // Every frame is gone: the screen is the one from before the pick.
  EXPECT_TRUE(Session::WaitUntil([&] { return CountDifferences(s.Grab(), screen, 0, 0) == 0; }, 10000));
  EXPECT_TRUE(s.Running(brova));
}

}  // namespace
