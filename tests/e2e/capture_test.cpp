// Full-screen captures as a user and other programs start them: the
// private message, key reports, the result window's follow-up choice, the
// outputs (BMP file and clipboard) and the ways the result window ends.
#include <gtest/gtest.h>

#include <cstdio>

#include "common/FrameMessages.h"
#include "tests/support/CaptureCheck.h"
#include "tests/support/E2e.h"

namespace {

using namespace e2e;

using frame_msg::kCaptureFullScreen;
using frame_msg::kKeyReport;
constexpr unsigned kWmClose = 0x0010;
constexpr unsigned kWmCommand = 0x0111;
constexpr long kExitCommand = 32796;
constexpr long kCancel = 2;  // IDCANCEL
constexpr long kCtrlAlt = frame_msg::key_flags::kCtrl | frame_msg::key_flags::kAlt;
constexpr long kKeyDown = frame_msg::key_flags::kKeyDown;

int ColourClass(int bits) { return bits == 1 ? 1 : bits <= 4 ? 4 : bits <= 8 ? 8 : bits <= 16 ? 16 : bits <= 24 ? 24 : 32; }

// Starts brova and waits for its capture window.
pid_t StartAndWait(Session& s) {
  pid_t brova = s.StartBrova();
  EXPECT_TRUE(s.WaitForWindow("Vistrel")) << "capture window never appeared";
  MoveTo(s, 1270, 10);  // out of the way of every button
  return brova;
}

TEST(Capture, FullScreenMessageWritesTheScreenToFileAndClipboard) {
  Session s;
  pid_t brova = StartAndWait(s);
  Image screen = StableGrab(s);
  ASSERT_FALSE(screen.empty());
  ASSERT_TRUE(s.Post("Pagorin", kCaptureFullScreen));

  auto result = s.WaitForWindow(kResultTitle);
  ASSERT_TRUE(result) << "result window never appeared";
  EXPECT_TRUE(result->topmost);
  const std::string folder = s.appDir() + "/Snapshot";
  std::string path = WaitForSnapshot(folder);
  ASSERT_FALSE(path.empty());
  ASSERT_EQ(SnapshotFiles(folder).size(), 1u);
  const std::string name = SnapshotFiles(folder).front();
  ASSERT_EQ(name.size(), std::string("Snapshot20240102030405.bmp").size()) << name;

  // The header, field by field.
  std::string bytes = ReadFile(path);
  auto h = ReadBmpHeader(bytes);
  ASSERT_TRUE(h);
  EXPECT_EQ(h->type, 0x4D42);
  EXPECT_EQ(h->width, 1280);
  EXPECT_EQ(h->height, 800);
  EXPECT_EQ(h->planes, 1);
  const int cls = ColourClass(h->bitCount);
  const uint32_t entries = cls <= 16 ? 1u << cls : 0;
  const uint32_t imageSize = (1280 + 7) / 8 * static_cast<uint32_t>(cls) * 800;
  EXPECT_EQ(h->infoSize, 40u);
  EXPECT_EQ(h->compression, 0u);
  EXPECT_EQ(h->imageSize, imageSize);
  EXPECT_EQ(h->clrUsed, entries);
  EXPECT_EQ(h->offBits, 14 + 40 + 4 * entries);
  EXPECT_EQ(h->fileSize, imageSize + 4 * entries + 40 + 14);
  EXPECT_EQ(h->reserved1 | h->reserved2, 0);
  EXPECT_EQ(h->xPelsPerMeter | h->yPelsPerMeter, 0);
  EXPECT_EQ(h->clrImportant, 0u);
  EXPECT_EQ(bytes.size(), h->fileSize);

  // ImageMagick reads it back, and it is the screen, pixel for pixel.
  Image picture = ReadImage(path);
  ASSERT_EQ(picture.width, 1280);
  ASSERT_EQ(picture.height, 800);
  EXPECT_EQ(CountDifferences(picture, screen, 0, 0), 0);

  EXPECT_EQ(ItemText(s, kResultTitle, kInfoLineId),
            "屏捕信息 [宽=1280, 高=800] 保存目录: " + Session::WinPath(folder) + "\\" + name);

  // The clipboard holds a picture of the same size and pixels.
  EXPECT_NE(s.Winctl("clipboard").out.find("bitmap 1280 800"), std::string::npos);
  const std::string copy = s.workDir() + "/clipboard.bmp";
  ASSERT_EQ(s.Winctl("clipboard-save " + ShellQuote(Session::WinPath(copy))).status, 0);
  Image clip = ReadImage(copy);
  ASSERT_EQ(clip.width, 1280);
  EXPECT_EQ(CountDifferences(clip, screen, 0, 0), 0);

  ASSERT_TRUE(WaitForResultWindowClick(s, *result));
  s.KeepScreenshot("capture-result-window");
  EXPECT_TRUE(s.Running(brova));
}

// The clipboard's bitmap, saved and read back; empty when there is none.
Image ClipboardImage(Session& s, const std::string& name) {
  const std::string copy = s.workDir() + "/" + name + ".bmp";
  if (s.Winctl("clipboard-save " + ShellQuote(Session::WinPath(copy))).status != 0) return Image{};
  return ReadImage(copy);
}

TEST(Capture, ClipboardHoldsTheFilesPictureAlsoAfterTheProgramEnds) {
  Session s;
  pid_t brova = StartAndWait(s);
  const std::string folder = s.appDir() + "/Snapshot";

  // Pasted while brova runs: the bitmap is made when it is asked for.
  ASSERT_TRUE(s.Post("Pagorin", kCaptureFullScreen));
  ASSERT_TRUE(s.WaitForWindow(kResultTitle));
  ASSERT_FALSE(WaitForSnapshot(folder).empty());
  const Image first = ReadImage(folder + "/" + SnapshotFiles(folder).back());
  ASSERT_EQ(first.width, 1280);
  const std::string formats = s.Winctl("clipboard").out;
  EXPECT_NE(formats.find("bitmap 1280 800"), std::string::npos) << formats;
  Image pasted = ClipboardImage(s, "first");
  ASSERT_EQ(pasted.width, 1280);
  ASSERT_EQ(pasted.height, 800);
  EXPECT_EQ(CountDifferences(pasted, first, 0, 0), 0);

  // A second capture of another screen, not pasted before brova ends: the
  // program makes the bitmap as it goes.
  ASSERT_TRUE(s.Post(kResultTitle, kWmCommand, kCancel));
  ASSERT_TRUE(s.WaitForNoWindow(kResultTitle));
  ASSERT_EQ(s.Winctl("move Vistrel 40 40 300 200").status, 0);
  StableGrab(s);
  ASSERT_TRUE(s.Post("Pagorin", kCaptureFullScreen));
  ASSERT_TRUE(s.WaitForWindow(kResultTitle));
  ASSERT_TRUE(Session::WaitUntil([&] { return SnapshotFiles(folder).size() == 2; }));
  const Image second = ReadImage(folder + "/" + SnapshotFiles(folder).back());
  ASSERT_EQ(second.width, 1280);
  ASSERT_GT(CountDifferences(second, first, 0, 0), 0) << "the two captures show the same screen";
  ASSERT_TRUE(s.Post("Pagorin", kWmCommand, kExitCommand));
  ASSERT_TRUE(s.WaitForExit(brova));

  pasted = ClipboardImage(s, "second");
  ASSERT_EQ(pasted.width, 1280) << "nothing to paste after the program ended";
  ASSERT_EQ(pasted.height, 800);
  EXPECT_EQ(CountDifferences(pasted, second, 0, 0), 0);
}

// Starts brova, captures the settled screen once and ends brova; the
// capture file's bytes, and the screen as an independent grab saw it.
std::string CaptureOnce(Session& s, Image& screen) {
  pid_t brova = StartAndWait(s);
  screen = StableGrab(s);
  const std::string folder = s.appDir() + "/Snapshot";
  EXPECT_TRUE(s.Post("Pagorin", kCaptureFullScreen));
  EXPECT_TRUE(s.WaitForWindow(kResultTitle));
  const std::string path = WaitForSnapshot(folder);
  EXPECT_FALSE(path.empty());
  std::string bytes = ReadFile(path);
  EXPECT_EQ(CountDifferences(ReadImage(path), screen, 0, 0), 0);
  std::remove(path.c_str());
  EXPECT_TRUE(s.Post("Pagorin", kWmCommand, kExitCommand));
  EXPECT_TRUE(s.WaitForExit(brova));
  return bytes;
}

TEST(Capture, PathForWindowsWritesTheSameFileAsThePathForWine) {
  // A width that is not a multiple of 8: the header's block size counts
  // more bytes than the rows hold, and the file ends with zeros.
  Session::Options options;
  options.width = 1366;
  options.height = 768;
  Session s(options);
  Image wineScreen, plainScreen;
  const std::string wine = CaptureOnce(s, wineScreen);
  s.SetEnv("VISTREL_PLAIN_CAPTURE", "1");
  const std::string plain = CaptureOnce(s, plainScreen);
  ASSERT_EQ(CountDifferences(plainScreen, wineScreen, 0, 0), 0) << "the screen changed between the captures";

  auto h = ReadBmpHeader(wine);
  ASSERT_TRUE(h);
  const uint32_t rows = 1366 * 4 * 768;
  EXPECT_EQ(h->imageSize, (1366 + 7) / 8 * 32 * 768);
  ASSERT_EQ(wine.size(), 54 + h->imageSize);
  EXPECT_EQ(wine.find_first_not_of('\0', 54 + rows), std::string::npos) << "the block ends with zeros";
  ASSERT_EQ(plain.size(), wine.size());
  size_t differ = 0;
  while (differ < wine.size() && wine[differ] == plain[differ]) ++differ;
  EXPECT_EQ(differ, wine.size()) << "the files differ from byte " << differ;
}

TEST(Capture, CaptureWindowButtonHidesTheWindowBeforeTheGrab) {
  Session s;
  StartAndWait(s);
  auto vistrel = s.Window("Vistrel");
  ASSERT_TRUE(vistrel);
  Image screen = StableGrab(s);
  auto full = s.Item("Vistrel", 1009);
  ASSERT_TRUE(full);
  Click(s, full->centerX(), full->centerY());
  ASSERT_TRUE(s.WaitForWindow(kResultTitle));
  EXPECT_FALSE(s.Window("Vistrel")->visible);
  std::string path = WaitForSnapshot(s.appDir() + "/Snapshot");
  ASSERT_FALSE(path.empty());
  Image picture = ReadImage(path);
  ASSERT_EQ(picture.width, 1280);
  // Where the capture window stood, the picture shows the desktop behind it.
  const unsigned char* desktop = screen.at(20, vistrel->centerY());
  for (int x : {vistrel->left + 5, vistrel->centerX(), vistrel->right - 5}) {
    const unsigned char* p = picture.at(x, vistrel->centerY());
    EXPECT_TRUE(p[0] == desktop[0] && p[1] == desktop[1] && p[2] == desktop[2]) << "x=" << x;
  }
  // Elsewhere it is the screen as it was.
  Image top;
  top.width = 1280;
  top.height = vistrel->top;
  top.rgb.assign(picture.rgb.begin(), picture.rgb.begin() + static_cast<long>(1280) * vistrel->top * 3);
  EXPECT_EQ(CountDifferences(top, screen, 0, 0), 0);
}

TEST(Capture, CaptureWindowComesBackWhenItsCaptureIsRefused) {
  Session s;
  StartAndWait(s);
  ASSERT_TRUE(s.Post("Pagorin", kCaptureFullScreen));
  ASSERT_TRUE(s.WaitForWindow(kResultTitle));
  ASSERT_FALSE(WaitForSnapshot(s.appDir() + "/Snapshot").empty());
  // Its button while the result window is open: the window hides for the
  // capture, which is refused, and shows again.
  ASSERT_TRUE(s.Post("Vistrel", kWmCommand, 1009));
  EXPECT_TRUE(Session::WaitUntil([&] {
    auto w = s.Window("Vistrel");
    return w && w->visible;
  }, 10000)) << "the capture window stays hidden";
  EXPECT_EQ(ListDir(s.appDir() + "/Snapshot").size(), 1u) << "a second capture ran";
  ASSERT_TRUE(s.Post(kResultTitle, kWmCommand, kCancel));
  EXPECT_TRUE(s.WaitForNoWindow(kResultTitle));
}

TEST(Capture, KeyReportsStartCapturesOnlyWithTheKeyDownBit) {
  Session s;
  StartAndWait(s);
  // Ctrl+Alt+1 without the key-down bit, then Ctrl+Alt+2 with it: the first
  // must start nothing, so the second finds the capture free and picks a
  // window.
  ASSERT_TRUE(s.Post("Pagorin", kKeyReport, '1', kCtrlAlt));
  ASSERT_TRUE(s.Post("Pagorin", kKeyReport, '2', kCtrlAlt | kKeyDown));
  ASSERT_TRUE(s.WaitForWindow(kPromptTitle));
  EXPECT_FALSE(s.Window(kResultTitle));
  s.Xdotool("key Escape");
  ASSERT_TRUE(s.WaitForNoWindow(kPromptTitle));

  ASSERT_TRUE(s.Post("Pagorin", kKeyReport, '1', kCtrlAlt | kKeyDown));
  ASSERT_TRUE(s.WaitForWindow(kResultTitle));
  EXPECT_FALSE(WaitForSnapshot(s.appDir() + "/Snapshot").empty());
}

TEST(Capture, FollowUpChoiceStartsTheNextCaptureAtOnce) {
  Session s;
  StartAndWait(s);
  ASSERT_TRUE(s.Post("Pagorin", kCaptureFullScreen));
  auto result = s.WaitForWindow(kResultTitle);
  ASSERT_TRUE(result);
  ASSERT_TRUE(WaitForResultWindowClick(s, *result));

  // "截取指定区域": the result window closes and a region pick starts.
  auto region = s.Item(kResultTitle, 1011);
  ASSERT_TRUE(region);
  Click(s, region->centerX(), region->centerY());
  ASSERT_TRUE(s.WaitForWindow(kPromptTitle));
  EXPECT_FALSE(s.Window(kResultTitle));
  MoveTo(s, 600, 500);
  EXPECT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, "按鼠标左键确定区域第一点和第二点"));
  s.Xdotool("key Escape");
  ASSERT_TRUE(s.WaitForNoWindow(kPromptTitle));

  // And again from a new result window, through its full-screen button.
  ASSERT_TRUE(s.Post("Pagorin", kCaptureFullScreen));
  result = s.WaitForWindow(kResultTitle);
  ASSERT_TRUE(result);
  ASSERT_TRUE(WaitForResultWindowClick(s, *result));
  const std::string folder = s.appDir() + "/Snapshot";
  ASSERT_TRUE(Session::WaitUntil([&] { return SnapshotFiles(folder).size() == 2; }));
  auto full = s.Item(kResultTitle, 1009);
  ASSERT_TRUE(full);
  Click(s, full->centerX(), full->centerY());
  // A new capture of the same second gets a name of its own: none is lost.
  EXPECT_TRUE(Session::WaitUntil([&] { return SnapshotFiles(folder).size() == 3; }));
  EXPECT_TRUE(s.WaitForWindow(kResultTitle));
}

TEST(Capture, BothOutputsOffWriteNothingAndStillShowThePicture) {
  Session s;
  // Hot keys as by default, clipboard and file off, folder of the default.
  std::string record(280, '\0');
  const char keys[12] = {'1', 1, 1, 0, '2', 1, 1, 0, '3', 1, 1, 0};
  record.replace(0, 12, keys, 12);
  const std::string folder = Session::WinPath(s.appDir()) + "\\Snapshot\\";
  record.replace(20, folder.size(), folder);
  ASSERT_TRUE(WriteFile(s.appDir() + "/data/snapshot.dat", record));
  StartAndWait(s);
  s.Winctl("clear-clipboard");

  ASSERT_TRUE(s.Post("Pagorin", kCaptureFullScreen));
  ASSERT_TRUE(s.WaitForWindow(kResultTitle));
  EXPECT_EQ(ItemText(s, kResultTitle, kInfoLineId), "屏捕信息 [宽=1280, 高=800]");
  ExpectNoOutput(s);
}

TEST(Capture, EscapeDismissesTheResultWindowAndTheProgramRunsOn) {
  Session s;
  pid_t brova = StartAndWait(s);
  ASSERT_TRUE(s.Post("Pagorin", kCaptureFullScreen));
  auto result = s.WaitForWindow(kResultTitle);
  ASSERT_TRUE(result);
  ASSERT_TRUE(WaitForResultWindowClick(s, *result));
  s.Xdotool("key Escape");
  ASSERT_TRUE(s.WaitForNoWindow(kResultTitle));
  EXPECT_TRUE(s.Running(brova));
  // No follow-up started, and the next capture is free to start.
  EXPECT_FALSE(s.Window(kPromptTitle));
  ASSERT_TRUE(s.Post("Pagorin", kCaptureFullScreen));
  EXPECT_TRUE(s.WaitForWindow(kResultTitle));
}

TEST(Capture, AFileThatCannotBeWrittenIsReportedAsSuch) {
  Session s;
  // A file stands where the save folder should be made.
  ASSERT_TRUE(WriteFile(s.appDir() + "/blocked", "x"));
  std::string record(280, '\0');
  const char keys[20] = {'1', 1, 1, 0, '2', 1, 1, 0, '3', 1, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0};
  record.replace(0, 20, keys, 20);
  const std::string folder = Session::WinPath(s.appDir()) + "\\blocked\\";
  record.replace(20, folder.size(), folder);
  ASSERT_TRUE(WriteFile(s.appDir() + "/data/snapshot.dat", record));
  StartAndWait(s);
  ASSERT_TRUE(s.Post("Pagorin", kCaptureFullScreen));
  ASSERT_TRUE(s.WaitForWindow(kResultTitle));
  const std::string info = ItemText(s, kResultTitle, kInfoLineId);
  EXPECT_EQ(info.rfind("屏捕信息 [宽=1280, 高=800] 保存失败: " + folder + "Snapshot", 0), 0u) << info;
  // The clipboard still gets the picture.
  EXPECT_NE(s.Winctl("clipboard").out.find("bitmap 1280 800"), std::string::npos);
}

TEST(Capture, ClosingTheResultWindowEndsTheProgram) {
  {
    Session s;
    pid_t brova = StartAndWait(s);
    ASSERT_TRUE(s.Post("Pagorin", kCaptureFullScreen));
    ASSERT_TRUE(s.WaitForWindow(kResultTitle));
    ASSERT_TRUE(s.Post(kResultTitle, kWmClose));  // the close box
    EXPECT_TRUE(s.WaitForExit(brova));
  }
  {
    Session s;
    pid_t brova = StartAndWait(s);
    ASSERT_TRUE(s.Post("Pagorin", kCaptureFullScreen));
    ASSERT_TRUE(s.WaitForWindow(kResultTitle));
    ASSERT_TRUE(s.Post(kResultTitle, kWmCommand, 1017));  // "退出程序"
    EXPECT_TRUE(s.WaitForExit(brova));
  }
}

}  // namespace
