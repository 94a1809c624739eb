#include "capture/win/CaptureEngine.h"

#include "assistant/win/HookLibrary.h"
#include "capture/win/CaptureSettingsStore.h"
#include "capture/win/ClipboardOffer.h"
#include "capture/win/PickPromptDlg.h"
#include "capture/win/ScreenCapture.h"
#include "common/Text.h"

namespace capture {
namespace {

// A left click where the cursor is, without moving it.
void ClickAtCursor() {
  mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

// The clipboard offer lives as long as the frame, its window's parent.
CClipboardOffer& ClipboardOffer() {
  static CClipboardOffer offer;
  return offer;
}

// The file line of the info line.
std::string FileLine(const SnapshotFile& file) { return (file.written ? " 保存目录: " : " 保存失败: ") + file.path; }

// Clipboard and file as the settings say, then the result window; returns
// the user's choice there. An empty picture (a pick of width or height 0)
// goes nowhere, and the window shows its size. A picture that holds its
// own file bytes is written by a worker thread (stream, when the grab
// already started it) while the result window is made; the window takes
// the outcome into its info line before it shows.
int OutputAndShow(HWND frame, PicturePtr picture, int width, int height, SnapshotStream* stream = nullptr) {
  const SnapshotSettings& settings = capture_settings::Current();
  const std::string info = InfoLine(width, height);
  SnapshotStream own(settings.folder);
  std::string fileLine;
  if (picture && settings.toFile && !(stream && stream->started())) {
    stream = &own;
    if (own.Start(*picture)) {
      own.RowsRead(picture->height());
    } else {
      win::WindowDc desktop(GetDesktopWindow());
      fileLine = FileLine(SaveSnapshotBmp(picture->bitmap(), desktop, settings.folder));
    }
  }
  auto finishFile = [&] {
    if (stream && stream->started()) fileLine = FileLine(stream->Finish());
  };
  // Only announced here: the result window does not wait for the bitmap.
  if (picture && settings.toClipboard) ClipboardOffer().Offer(frame, picture);
  CCaptureResultDlg result(
      [&] {
        finishFile();
        return info + fileLine;
      },
      width, height, picture);
  result.DoModal(frame);
  finishFile();  // the window could not be made
  return result.choice();
}

int FullScreen(HWND frame) {
  const SnapshotSettings& settings = capture_settings::Current();
  SnapshotStream stream(settings.folder);
  ScreenGrab grab;
  if (!GrabScreen(grab, settings.toFile ? &stream : nullptr)) return kChoiceNone;
  int choice = OutputAndShow(frame, std::move(grab.picture), grab.width, grab.height, &stream);
  CHookLibrary::Instance().Release();
  if (IsWindow(frame)) ClickAtCursor();
  return choice;
}

int Pick(HWND frame, int mode) {
  ScreenGrab grab;
  if (!GrabScreen(grab)) return kChoiceNone;
  CPickPromptDlg prompt(mode, grab.picture->bitmap(), grab.width, grab.height);
  prompt.DoModal(frame);
  CHookLibrary::Instance().Release();

  int choice = kChoiceNone;
  if (prompt.confirmed() && IsWindow(frame)) {
    const Rect& r = prompt.pick();
    {
      // The screen shows exactly the grabbed picture again.
      win::WindowDc desktop(GetDesktopWindow());
      win::OwnedDc source = win::OwnedDc::Compatible(desktop);
      win::Select select(source, grab.picture->bitmap());
      BitBlt(desktop, 0, 0, grab.width, grab.height, source, 0, 0, SRCCOPY);
    }
    // Cut from the grabbed picture itself, so that nothing drawn on the
    // screen since the grab can reach the capture.
    PicturePtr cropped = CropPicture(*grab.picture, r);
    choice = OutputAndShow(frame, std::move(cropped), r.Width(), r.Height());
  }
  grab.picture.reset();
  if (mode == kPickRegion && IsWindow(frame)) ClickAtCursor();
  return choice;
}

}  // namespace

std::string InfoLine(int width, int height) { return text::Format("屏捕信息 [宽=%d, 高=%d]", width, height); }

bool RunCaptures(int choice, HWND frame, int& ready) {
  if (ready == 0) return false;
  while (choice != kChoiceNone) {
    if (ready == 0) return true;
    ready = 0;
    int next = choice == kChoiceFullScreen ? FullScreen(frame)
                                           : Pick(frame, choice == kChoiceWindow ? kPickWindow : kPickRegion);
    ready = 1;
    if (!IsWindow(frame)) return true;  // the program ended from the result window
    choice = next;
  }
  return true;
}

}  // namespace capture
