// What a user does with a capture next: pins it where it was taken, marks
// it up in the editor and saves it over the capture's file, pins a region
// straight from the pick, and copies a colour with the loupe.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <optional>

#include "common/FrameMessages.h"
#include "tests/support/CaptureCheck.h"
#include "tests/support/E2e.h"

namespace {

using namespace e2e;

constexpr int kCaptureFullId = 1009;
constexpr int kEditId = 1101;
constexpr int kPinId = 1102;
constexpr int kCanvasId = 1250;
constexpr int kSaveId = 1230;
const char kPinTitle[] = "贴图";
const char kEditorTitle[] = "图片编辑-Vistrel";

pid_t StartAndWait(Session& s) {
  pid_t brova = s.StartBrova();
  EXPECT_TRUE(s.WaitForWindow("Vistrel")) << "capture window never appeared";
  MoveTo(s, 1270, 10);
  return brova;
}

// Marks the region from (x0, y0) to (x1, y1) with two clicks; the prompt
// stays open.
void MarkRegion(Session& s, int x0, int y0, int x1, int y1) {
  ASSERT_NO_FATAL_FAILURE(StartRegionPick(s, x0, y0));
  Click(s, x0, y0);
  Click(s, x1, y1);
  const std::string size = "宽:" + std::to_string(x1 - x0) + ", 高:" + std::to_string(y1 - y0);
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, size));
}

// A region capture confirmed with the third click; the result window, once
// its own click is done, and the capture's file.
struct Captured {
  WindowInfo result;
  std::string path;
};
std::optional<Captured> CaptureRegion(Session& s, int x0, int y0, int x1, int y1) {
  MarkRegion(s, x0, y0, x1, y1);
  if (::testing::Test::HasFatalFailure()) return std::nullopt;
  Click(s, x1, y1);
  auto result = s.WaitForWindow(kResultTitle);
  EXPECT_TRUE(result);
  if (!result || !WaitForResultWindowClick(s, *result)) return std::nullopt;
  std::string path = WaitForSnapshot(s.appDir() + "/Snapshot");
  EXPECT_FALSE(path.empty());
  if (path.empty()) return std::nullopt;
  return Captured{*result, path};
}

void ClickItem(Session& s, const std::string& window, int id) {
  auto item = s.Item(window, id);
  ASSERT_TRUE(item) << "no control " << id << " in " << window;
  Click(s, item->centerX(), item->centerY());
}

// The pin's rectangle equals rect, and its pixels are picture's while the
// desktop behind it changes.
void ExpectPinHolds(Session& s, const Image& picture, int left, int top) {
  auto pin = s.WaitForWindow(kPinTitle);
  ASSERT_TRUE(pin) << "no pin";
  EXPECT_TRUE(pin->topmost);
  EXPECT_EQ(pin->left, left);
  EXPECT_EQ(pin->top, top);
  EXPECT_EQ(pin->width(), picture.width);
  EXPECT_EQ(pin->height(), picture.height);
  MoveTo(s, 1270, 790);
  EXPECT_TRUE(Session::WaitUntil([&] { return CountDifferences(picture, s.Grab(), left, top) == 0; }));
  // The capture window behind it goes elsewhere.
  ASSERT_EQ(s.Winctl("move Vistrel 900 600 1200 780").status, 0);
  EXPECT_TRUE(Session::WaitUntil([&] { return s.Window("Vistrel")->left == 900; }));
  EXPECT_TRUE(Session::WaitUntil([&] { return CountDifferences(picture, s.Grab(), left, top) == 0; }))
      << "the pin shows the picked pixels, not the desktop behind it";
}

TEST(Markup, PinFromTheResultWindowStaysWhereItWasPickedAndLeavesLaterCaptures) {
  Session s;
  StartAndWait(s);
  auto vistrel = s.Window("Vistrel");
  ASSERT_TRUE(vistrel);
  // A piece of the capture window, whose pixels differ from the desktop's.
  const int x0 = vistrel->left + 20, y0 = vistrel->top + 5, x1 = x0 + 180, y1 = y0 + 90;
  auto captured = CaptureRegion(s, x0, y0, x1, y1);
  ASSERT_TRUE(captured);
  s.KeepScreenshot("result-window-edit-pin-buttons");
  const Image picture = ReadImage(captured->path);
  ASSERT_EQ(picture.width, 180);
  ClickItem(s, kResultTitle, kPinId);
  ASSERT_NO_FATAL_FAILURE(ExpectPinHolds(s, picture, x0, y0));
  s.KeepScreenshot("pin-over-moved-window");

  // A later capture steps the pin aside: the file shows the desktop there.
  ClickItem(s, kResultTitle, kCaptureFullId);
  ASSERT_TRUE(Session::WaitUntil([&] { return SnapshotFiles(s.appDir() + "/Snapshot").size() == 2; }));
  ASSERT_TRUE(s.WaitForWindow(kResultTitle));
  const std::string second = s.appDir() + "/Snapshot/" + SnapshotFiles(s.appDir() + "/Snapshot").back();
  Image full;
  ASSERT_TRUE(Session::WaitUntil([&] { return (full = ReadImage(second)).width == 1280; }));
  EXPECT_GT(CountDifferences(picture, full, x0, y0), picture.width * picture.height / 2) << "the pin is in the capture";
  auto pin = s.WaitForWindow(kPinTitle);
  ASSERT_TRUE(pin) << "the pin is back after the capture";
  EXPECT_EQ(pin->left, x0);
}

TEST(Markup, EditorRectangleSavedOverTheCaptureAndUndoneBeforeSaving) {
  Session s;
  StartAndWait(s);
  auto captured = CaptureRegion(s, 300, 200, 600, 400);
  ASSERT_TRUE(captured);
  const std::string before = ReadFile(captured->path);
  const Image picture = ReadImage(captured->path);
  ASSERT_EQ(picture.width, 300);
  ClickItem(s, kResultTitle, kEditId);
  ASSERT_TRUE(s.WaitForWindow(kEditorTitle)) << "no editor";
  std::optional<WindowInfo> canvas;
  ASSERT_TRUE(Session::WaitUntil([&] { return (canvas = s.Item(kEditorTitle, kCanvasId)).has_value(); }));
  const int cx = canvas->left, cy = canvas->top;
  ASSERT_TRUE(Session::WaitUntil([&] { return CountDifferences(picture, s.Grab(), cx, cy) == 0; }))
      << "at 100 % the canvas's pixels are the picture's";
  auto drag = [&] {
    s.Xdotool("mousemove " + std::to_string(cx + 20) + " " + std::to_string(cy + 20) + " mousedown 1");
    for (int i = 1; i <= 4; ++i)
      MoveTo(s, cx + 20 + 25 * i, cy + 20 + 15 * i);
    s.Xdotool("mouseup 1");
  };

  drag();
  EXPECT_TRUE(Session::WaitUntil([&] { return IsRed(s.Grab(), cx + 20, cy + 20); })) << "the rectangle is drawn";
  s.KeepScreenshot("editor-rectangle");
  ClickItem(s, kEditorTitle, kSaveId);
  Image saved;
  ASSERT_TRUE(Session::WaitUntil([&] {
    saved = ReadImage(captured->path);
    return saved.width == 300 && !IsRed(picture, 20, 20) && IsRed(saved, 20, 20);
  })) << "the save";
  long wrong = 0;
  for (int y = 0; y < saved.height; ++y)
    for (int x = 0; x < saved.width; ++x) {
      const bool outline = x >= 20 && x <= 120 && y >= 20 && y <= 80 && (x <= 21 || x >= 119 || y <= 21 || y >= 79);
      const unsigned char* p = saved.at(x, y);
      const bool ok = outline ? (p[0] == 255 && p[1] == 0 && p[2] == 0) : std::memcmp(p, picture.at(x, y), 3) == 0;
      if (!ok && ++wrong < 5) ADD_FAILURE() << "pixel " << x << "," << y;
    }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(ReadFile(captured->path).size(), before.size()) << "still the capture's BMP";

  // Undone, the next save gives back the capture's own bytes.
  s.Xdotool("key ctrl+z");
  EXPECT_TRUE(Session::WaitUntil([&] { return CountDifferences(picture, s.Grab(), cx, cy) == 0; }));
  ClickItem(s, kEditorTitle, kSaveId);
  EXPECT_TRUE(Session::WaitUntil([&] { return ReadFile(captured->path) == before; })) << "the file as captured";
  {
    std::string now = ReadFile(captured->path);
    size_t i = 0;
    while (i < now.size() && i < before.size() && now[i] == before[i]) ++i;
    std::printf("first difference at %zu of %zu/%zu: %02x vs %02x\n", i, now.size(), before.size(),
                i < now.size() ? (unsigned char)now[i] : 0, i < before.size() ? (unsigned char)before[i] : 0);
  }
}

// The part of img at (x, y), w x h.
Image Crop(const Image& img, int x, int y, int w, int h) {
  Image out;
  out.width = w;
  out.height = h;
  for (int r = 0; r < h; ++r) out.rgb.insert(out.rgb.end(), img.at(x, y + r), img.at(x, y + r) + 3 * w);
  return out;
}

std::string Hex(const Image& img, int x, int y) {
  char b[8];
  std::snprintf(b, sizeof b, "#%02X%02X%02X", img.at(x, y)[0], img.at(x, y)[1], img.at(x, y)[2]);
  return b;
}

// The clipboard's text, "" when it has none.
std::string ClipboardText(Session& s) {
  const std::string out = s.Winctl("clipboard").out;
  const size_t at = out.find("text ");
  if (at == std::string::npos) return std::string();
  const size_t end = out.find('\n', at);
  return out.substr(at + 5, end == std::string::npos ? std::string::npos : end - at - 5);
}

// A 150 x 70 region over the capture window, marked and pinned with F3:
// the screen as it was before and the region's corner.
struct PinnedRegion {
  Image screen;
  int x0 = 0, y0 = 0;
};
void PinRegionWithF3(Session& s, PinnedRegion& pinned) {
  StartAndWait(s);
  auto vistrel = s.Window("Vistrel");
  ASSERT_TRUE(vistrel);
  pinned.screen = StableGrab(s);
  pinned.x0 = vistrel->left + 30;
  pinned.y0 = vistrel->top + 10;
  ASSERT_NO_FATAL_FAILURE(MarkRegion(s, pinned.x0, pinned.y0, pinned.x0 + 150, pinned.y0 + 70));
  s.Xdotool("key F3");
}

TEST(Markup, F3PinsTheMarkedRegionWithoutAFileOrTheResultWindow) {
  Session s;
  PinnedRegion pinned;
  ASSERT_NO_FATAL_FAILURE(PinRegionWithF3(s, pinned));
  const int x0 = pinned.x0, y0 = pinned.y0;
  const Image& screen = pinned.screen;
  ASSERT_TRUE(s.WaitForNoWindow(kPromptTitle));
  ASSERT_NO_FATAL_FAILURE(ExpectPinHolds(s, Crop(screen, x0, y0, 150, 70), x0, y0));
  s.KeepScreenshot("pin-from-f3");
  EXPECT_FALSE(s.Window(kResultTitle));
  EXPECT_TRUE(ListDir(s.appDir() + "/Snapshot").empty());
}

TEST(Markup, LoupeCopiesTheColourUnderThePointerAndIsNeverInThePicture) {
  Session s;
  StartAndWait(s);
  auto vistrel = s.Window("Vistrel");
  ASSERT_TRUE(vistrel);
  s.Winctl("clear-clipboard");
  const Image screen = StableGrab(s);
  // The second point just left of the capture window's edge.
  const int x0 = vistrel->left - 200, y0 = vistrel->top + 20, x1 = vistrel->left - 1, y1 = vistrel->top + 120;
  ASSERT_NE(Hex(screen, x1, y1), Hex(screen, x1 + 1, y1)) << "the edge";
  ASSERT_NO_FATAL_FAILURE(MarkRegion(s, x0, y0, x1, y1));
  s.Xdotool("key c");
  EXPECT_TRUE(Session::WaitUntil([&] { return ClipboardText(s) == Hex(screen, x1, y1); })) << ClipboardText(s);
  s.Xdotool("key shift+c");
  const unsigned char* p = screen.at(x1, y1);
  const std::string triple = std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]);
  EXPECT_TRUE(Session::WaitUntil([&] { return ClipboardText(s) == triple; })) << ClipboardText(s);
  // One pixel right with the arrow key, over the window's edge.
  s.Xdotool("key Right");
  EXPECT_TRUE(Session::WaitUntil([&] { return CursorPos(s) == std::make_pair(x1 + 1, y1); }));
  s.Xdotool("key c");
  EXPECT_TRUE(Session::WaitUntil([&] { return ClipboardText(s) == Hex(screen, x1 + 1, y1); })) << ClipboardText(s);

  // In a corner the loupe turns inward, clear of the pointer.
  MoveTo(s, 1278, 798);
  EXPECT_TRUE(Session::WaitUntil(
      [&] { return CountDifferences(Crop(screen, 1100, 600, 170, 190), s.Grab(), 1100, 600) > 1000; }))
      << "no loupe above and left of the pointer";
  s.KeepScreenshot("loupe-in-the-corner");

  // The loupe over the marked region, then Enter: the picture is B's.
  MoveTo(s, x0 + 20, y0 + 10);
  EXPECT_TRUE(Session::WaitUntil([&] {
    return CountDifferences(Crop(screen, x0 + 20, y0 + 10, 200, 200), s.Grab(), x0 + 20, y0 + 10) > 1000;
  })) << "the loupe is drawn inside the region";
  s.Xdotool("key Return");
  ASSERT_TRUE(s.WaitForWindow(kResultTitle)) << "Enter confirms";
  const std::string path = WaitForSnapshot(s.appDir() + "/Snapshot");
  ASSERT_FALSE(path.empty());
  const Image picture = ReadImage(path);
  EXPECT_EQ(picture.width, x1 - x0);
  EXPECT_EQ(CountDifferences(picture, screen, x0, y0), 0) << "no loupe in the picture";
}

TEST(Markup, PinsStayInCapturesWhenTheSettingSaysSo) {
  Session s;
  ASSERT_TRUE(WriteFile(s.appDir() + "/data/pin.ini", "[INCLUDE_IN_CAPTURE]\r\n1\r\n"));
  PinnedRegion pinned;
  ASSERT_NO_FATAL_FAILURE(PinRegionWithF3(s, pinned));
  const int x0 = pinned.x0, y0 = pinned.y0;
  const Image picked = Crop(pinned.screen, x0, y0, 150, 70);
  ASSERT_NO_FATAL_FAILURE(ExpectPinHolds(s, picked, x0, y0));
  ASSERT_TRUE(s.Post("Pagorin", frame_msg::kCaptureFullScreen));
  const std::string path = WaitForSnapshot(s.appDir() + "/Snapshot");
  ASSERT_FALSE(path.empty());
  Image full;
  ASSERT_TRUE(Session::WaitUntil([&] { return (full = ReadImage(path)).width == 1280; }));
  EXPECT_EQ(CountDifferences(picked, full, x0, y0), 0) << "the pin is in the capture";
}

}  // namespace
