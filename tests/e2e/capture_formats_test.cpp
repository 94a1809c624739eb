// Captures in the formats of "data\capture.ini": PNG files that hold the
// screen's pixels for every capture mode, JPEG files of the screen's size.
#include <gtest/gtest.h>

#include <optional>

#include "common/FrameMessages.h"
#include "tests/support/CaptureCheck.h"
#include "tests/support/E2e.h"

namespace {

using namespace e2e;

constexpr long kCancel = 2;  // IDCANCEL
constexpr unsigned kWmCommand = 0x0111;

pid_t StartWithFormat(Session& s, const std::string& format) {
  EXPECT_TRUE(WriteFile(s.appDir() + "/data/capture.ini", "[FORMAT]\r\n" + format + "\r\n[JPEG_QUALITY]\r\n50\r\n"));
  pid_t brova = s.StartBrova();
  EXPECT_TRUE(s.WaitForWindow("Vistrel")) << "capture window never appeared";
  MoveTo(s, 1270, 10);
  return brova;
}

// Waits for the result window and the n-th file of the extension; the
// file's path. Ends the result window.
std::string NextCapture(Session& s, const std::string& extension, size_t n) {
  const std::string folder = s.appDir() + "/Snapshot";
  EXPECT_TRUE(s.WaitForWindow(kResultTitle));
  EXPECT_TRUE(Session::WaitUntil([&] { return SnapshotFiles(folder, extension).size() == n; }));
  auto files = SnapshotFiles(folder, extension);
  if (files.size() != n) return std::string();
  const std::string name = files.back();
  EXPECT_TRUE(WaitForItemText(s, kResultTitle, kInfoLineId, name)) << "the info line names " << name;
  EXPECT_TRUE(SnapshotFiles(folder).empty()) << "no BMP beside the " << extension;
  EXPECT_TRUE(s.Post(kResultTitle, kWmCommand, kCancel));
  EXPECT_TRUE(s.WaitForNoWindow(kResultTitle));
  return folder + "/" + name;
}

// Notepad's caret blinks while it has the focus; the capture window takes
// it before the screen is compared.
Image QuietScreen(Session& s) {
  s.Winctl("activate Vistrel");
  EXPECT_TRUE(Session::WaitUntil([&] { return s.Winctl("foreground").out.find("Vistrel") != std::string::npos; }));
  MoveTo(s, 1270, 10);
  return StableGrab(s);
}

TEST(CaptureFormats, PngOfTheFullScreenARegionAndAWindowHoldsTheirPixels) {
  Session s;
  pid_t brova = StartWithFormat(s, "png");
  auto notepad = StartNotepad(s);
  ASSERT_TRUE(notepad) << "notepad did not start";

  // The whole screen.
  Image screen = QuietScreen(s);
  ASSERT_TRUE(s.Post("Pagorin", frame_msg::kCaptureFullScreen));
  std::string path = NextCapture(s, ".png", 1);
  ASSERT_EQ(ReadFile(path).substr(0, 8), "\x89PNG\r\n\x1a\n");
  Image picture = ReadImage(path);
  ASSERT_EQ(picture.width, 1280);
  ASSERT_EQ(picture.height, 800);
  EXPECT_EQ(CountDifferences(picture, screen, 0, 0), 0);

  // A region, marked with two clicks and confirmed with a third.
  screen = QuietScreen(s);
  ASSERT_NO_FATAL_FAILURE(StartRegionPick(s, 301, 403));
  Click(s, 301, 403);
  MoveTo(s, 734, 611);
  Click(s, 734, 611);
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, "宽:433, 高:208"));
  Click(s, 900, 700);
  ASSERT_TRUE(s.WaitForNoWindow(kPromptTitle));
  path = NextCapture(s, ".png", 2);
  picture = ReadImage(path);
  ASSERT_EQ(picture.width, 433);
  ASSERT_EQ(picture.height, 208);
  EXPECT_EQ(CountDifferences(picture, screen, 301, 403), 0);

  // The notepad window, less one pixel on every side.
  notepad = s.Window(notepad->handle);
  ASSERT_TRUE(notepad);
  screen = QuietScreen(s);
  ASSERT_TRUE(s.Post("Pagorin", frame_msg::kCaptureWindow));
  ASSERT_TRUE(s.WaitForWindow(kPromptTitle));
  const int x = notepad->left + notepad->width() / 2, y = notepad->top + 10;
  MoveTo(s, x, y);
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, "截取指定窗口"));
  Click(s, x, y);
  ASSERT_TRUE(s.WaitForNoWindow(kPromptTitle));
  path = NextCapture(s, ".png", 3);
  picture = ReadImage(path);
  ASSERT_EQ(picture.width, notepad->width() - 2);
  ASSERT_EQ(picture.height, notepad->height() - 2);
  EXPECT_EQ(CountDifferences(picture, screen, notepad->left + 1, notepad->top + 1), 0);
  EXPECT_TRUE(s.Running(brova));
}

TEST(CaptureFormats, JpegOfTheFullScreenHasTheScreensSize) {
  Session s;
  StartWithFormat(s, "jpg");
  ASSERT_TRUE(s.Post("Pagorin", frame_msg::kCaptureFullScreen));
  const std::string path = NextCapture(s, ".jpg", 1);
  ASSERT_EQ(ReadFile(path).substr(0, 3), "\xff\xd8\xff");
  Image picture = ReadImage(path);
  EXPECT_EQ(picture.width, 1280);
  EXPECT_EQ(picture.height, 800);
}

// The common save dialog that is open, if any.
std::optional<WindowInfo> SaveDialog(Session& s) {
  for (const auto& w : s.TopLevelWindows())
    if (w.cls == "#32770" && w.visible && w.text == "另存为") return w;
  return std::nullopt;
}

// Saves the result window's picture through "另存为" as name with file type
// index (0 BMP, 1 PNG, 2 JPEG).
void SaveAs(Session& s, const std::string& name, int type) {
  ASSERT_TRUE(s.Post(kResultTitle, kWmCommand, 1103));
  std::optional<WindowInfo> dialog;
  ASSERT_TRUE(Session::WaitUntil([&] { return (dialog = SaveDialog(s)).has_value(); })) << "no save dialog";
  s.KeepScreenshot("capture-save-as");
  std::optional<WindowInfo> nameEdit, types;
  for (const auto& c : s.Children(dialog->handle)) {
    if (c.id == 1148 && c.cls == "Edit") nameEdit = c;
    if (c.id == 1136) types = c;
  }
  ASSERT_TRUE(nameEdit && types) << "the dialog's name and type controls";
  ASSERT_EQ(s.Winctl("settext " + nameEdit->handle + " " + ShellQuote(name)).status, 0);
  // The type as a user picks it: the selection, then its notifications
  // (CBN_SELCHANGE, CBN_SELENDOK).
  s.Send(types->handle, 0x014E, type);  // CB_SETCURSEL
  for (long code : {1L, 9L}) s.Send(dialog->handle, kWmCommand, (code << 16) | 1136, std::stol(types->handle, nullptr, 0));
  s.Post(dialog->handle, kWmCommand, 1);  // IDOK
  ASSERT_TRUE(s.WaitForNoWindow(dialog->handle));
}

TEST(CaptureFormats, SaveAsWritesTheChosenTypeIntoTheCapturesFolder) {
  Session s;
  StartWithFormat(s, "bmp");
  Image screen = StableGrab(s);
  ASSERT_TRUE(s.Post("Pagorin", frame_msg::kCaptureFullScreen));
  ASSERT_TRUE(s.WaitForWindow(kResultTitle));
  const std::string folder = s.appDir() + "/Snapshot";
  ASSERT_FALSE(WaitForSnapshot(folder).empty());
  const std::string captured = folder + "/" + SnapshotFiles(folder).front();
  // The dialog starts in the capture's folder; the type adds its extension.
  ASSERT_NO_FATAL_FAILURE(SaveAs(s, "copy", 1));
  ASSERT_TRUE(Session::WaitUntil([&] { return !ReadFile(folder + "/copy.png").empty(); }));
  EXPECT_EQ(ReadFile(folder + "/copy.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(CountDifferences(ReadImage(folder + "/copy.png"), ReadImage(captured), 0, 0), 0);
  ASSERT_NO_FATAL_FAILURE(SaveAs(s, "copy", 2));
  ASSERT_TRUE(Session::WaitUntil([&] { return !ReadFile(folder + "/copy.jpg").empty(); }));
  EXPECT_EQ(ReadFile(folder + "/copy.jpg").substr(0, 3), "\xff\xd8\xff");
  EXPECT_EQ(ReadImage(folder + "/copy.jpg").width, 1280);
  ASSERT_NO_FATAL_FAILURE(SaveAs(s, "copy.bmp", 0));
  ASSERT_TRUE(Session::WaitUntil([&] { return !ReadFile(folder + "/copy.bmp").empty(); }));
  EXPECT_EQ(ReadFile(folder + "/copy.bmp"), ReadFile(captured)) << "the capture's own BMP bytes";
  EXPECT_TRUE(s.Window(kResultTitle)) << "the result window stays";
}

}  // namespace
