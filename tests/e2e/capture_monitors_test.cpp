// Captures on two monitors side by side (1920x1080, the primary one, and
// 1280x800 right of it): the whole virtual screen, the monitor under the
// pointer, and a region picked across the seam.
#include <gtest/gtest.h>

#include <cstring>

#include "common/FrameMessages.h"
#include "tests/support/CaptureCheck.h"
#include "tests/support/E2e.h"

namespace {

using namespace e2e;

constexpr long kCancel = 2;  // IDCANCEL
constexpr unsigned kWmCommand = 0x0111;
using frame_msg::kReloadAll;

Session::Options TwoMonitors() {
  Session::Options o;
  o.width = 3400;
  o.height = 1200;
  o.desktop = false;
  o.monitors = {"1920x1080", "1280x800"};
  return o;
}

// Pixels of picture that differ from the w x h area of screen at (x, y),
// the picture's own area starting at (px, py).
long DifferencesIn(const Image& picture, int px, int py, const Image& screen, int x, int y, int w, int h) {
  long n = 0;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (std::memcmp(picture.at(px + i, py + j), screen.at(x + i, y + j), 3) != 0) ++n;
  return n;
}

// Waits for the result window and the n-th capture file; its picture. Ends
// the result window.
Image NextCapture(Session& s, size_t n, const std::string& size) {
  const std::string folder = s.appDir() + "/Snapshot";
  EXPECT_TRUE(s.WaitForWindow(kResultTitle));
  EXPECT_TRUE(Session::WaitUntil([&] { return SnapshotFiles(folder).size() == n; }));
  EXPECT_TRUE(WaitForItemText(s, kResultTitle, kInfoLineId, "屏捕信息 [" + size + "] 保存目录: "));
  auto files = SnapshotFiles(folder);
  EXPECT_TRUE(s.Post(kResultTitle, kWmCommand, kCancel));
  EXPECT_TRUE(s.WaitForNoWindow(kResultTitle));
  return files.size() == n ? ReadImage(folder + "/" + files.back()) : Image{};
}

TEST(Monitors, AllScreensTheMonitorUnderThePointerAndARegionAcrossTheSeam) {
  Session s(TwoMonitors());
  ASSERT_TRUE(WriteFile(s.appDir() + "/data/capture.ini", "[SCREENS]\r\nall\r\n"));
  s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  MoveTo(s, 3190, 790);

  // The whole virtual screen: both monitors side by side.
  Image screen = StableGrab(s);
  ASSERT_EQ(screen.width, 3200);
  ASSERT_TRUE(s.Post("Pagorin", frame_msg::kCaptureFullScreen));
  Image picture = NextCapture(s, 1, "宽=3200, 高=1080");
  ASSERT_EQ(picture.width, 3200);
  ASSERT_EQ(picture.height, 1080);
  EXPECT_EQ(DifferencesIn(picture, 0, 0, screen, 0, 0, 1920, 1080), 0) << "the primary monitor";
  EXPECT_EQ(DifferencesIn(picture, 1920, 0, screen, 1920, 0, 1280, 800), 0) << "the second monitor";

  // The monitor under the pointer, with that monitor's pixels.
  ASSERT_TRUE(WriteFile(s.appDir() + "/data/capture.ini", "[SCREENS]\r\ncursor\r\n"));
  ASSERT_TRUE(s.Post("Pagorin", kReloadAll));
  MoveTo(s, 2500, 400);
  screen = StableGrab(s);
  ASSERT_TRUE(s.Post("Pagorin", frame_msg::kCaptureFullScreen));
  picture = NextCapture(s, 2, "宽=1280, 高=800");
  ASSERT_EQ(picture.width, 1280);
  ASSERT_EQ(picture.height, 800);
  EXPECT_EQ(DifferencesIn(picture, 0, 0, screen, 1920, 0, 1280, 800), 0);

  // A region from the primary monitor into the second one.
  MoveTo(s, 3190, 790);
  screen = StableGrab(s);
  // Xephyr keeps the pointer on its first screen within the width of its
  // last one (1280), so the region starts left of that.
  ASSERT_NO_FATAL_FAILURE(StartRegionPick(s, 1200, 300));
  Click(s, 1200, 300);
  MoveTo(s, 2300, 650);
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, "左:1200, 上:300, 宽:1100, 高:350"))
      << s.Winctl("item " + ShellQuote(kPromptTitle) + " 1004").out;
  s.KeepScreenshot("pick-two-monitors");
  Image live = s.Grab();
  EXPECT_TRUE(IsRed(live, 1200, 400)) << "the band on the primary monitor";
  EXPECT_TRUE(IsRed(live, 1800, 300)) << "the band's top edge on the primary monitor";
  EXPECT_TRUE(IsRed(live, 2299, 400)) << "the band on the second monitor";
  Click(s, 2300, 650);
  Click(s, 2300, 650);
  ASSERT_TRUE(s.WaitForNoWindow(kPromptTitle));
  picture = NextCapture(s, 3, "宽=1100, 高=350");
  ASSERT_EQ(picture.width, 1100);
  ASSERT_EQ(picture.height, 350);
  EXPECT_EQ(DifferencesIn(picture, 0, 0, screen, 1200, 300, 1100, 350), 0) << "exact across the seam";
}

}  // namespace
