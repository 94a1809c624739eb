#include "capture/win/CaptureEngine.h"

#include <optional>

#include "capture/win/CountdownWindow.h"
#include "capture/win/PickPromptDlg.h"
#include "capture/win/PinWindow.h"
#include "capture/win/ScreenCapture.h"
#include "capture/win/ScreenGrab.h"
#include "common/Text.h"
#include "common/win/ProgramFolder.h"

namespace {

// About what making the result window takes under Wine (15-25 ms measured).
constexpr DWORD kResultWindowMs = 30;

// What one capture works with, taken as it starts.
struct CaptureRun {
  HWND frame;
  SnapshotSettings settings;
  CaptureOptions options;
  CClipboardOffer& clipboard;
  int delaySeconds;  // before a full-screen capture

  // The writer of this capture's file; null when no file is asked for.
  std::unique_ptr<ISnapshotWriter> FileWriter() const {
    if (!settings.toFile) return nullptr;
    return MakeSnapshotWriter(options.format, settings.folder, options.jpegQuality);
  }
};

// The clipboard offer's window, made while a grab waits.
void PrepareClipboard(const CaptureRun& run) {
  if (run.settings.toClipboard) run.clipboard.Prepare(run.frame);
}

// Pins leave the screen while it is read, unless the user keeps them in
// captures, and come back when the screen is read (or the picking ends).
class PinsAside {
 public:
  PinsAside() { CPinBoard::Get().HideForCapture(); }
  ~PinsAside() { Back(); }
  void Back() {
    if (aside_) CPinBoard::Get().ShowAfterCapture();
    aside_ = false;
  }

 private:
  bool aside_ = true;
};

// A left click where the cursor is, without moving it.
void ClickAtCursor() {
  mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

// The file line of the info line.
std::string FileLine(const SnapshotFile& file) {
  return (file.written ? " 保存目录: " : " 保存失败: ") + file.path + file.note;
}

// Clipboard and file as the settings say, then the result window (made
// here unless it was made while the grab waited); returns the user's choice
// there. An empty picture (a pick of width or height 0) goes nowhere, and
// the window shows its size. The file is written by a worker thread (begun
// already when the grab or the crop began it) while the result window is
// made; the window takes the outcome into its info line before it shows.
CaptureChoice OutputAndShow(const CaptureRun& run, CCaptureResultDlg& result, PicturePtr picture, int width, int height,
                            ISnapshotWriter* file, POINT origin) {
  const SnapshotSettings& settings = run.settings;
  const std::string info = capture::InfoLine(width, height);
  std::string fileLine;
  std::string written;  // the file's path once it is whole
  auto take = [&](const SnapshotFile& f) {
    fileLine = FileLine(f);
    if (f.written) written = f.path;
  };
  if (picture && file && !file->started()) {
    if (file->Begin(*picture)) {
      file->RowsRead(picture->height());
    } else {
      // A picture without file bytes of its own: its BMP through GetDIBits.
      win::WindowDc desktop(GetDesktopWindow());
      take(SaveSnapshotBmp(picture->bitmap(), desktop, settings.folder));
    }
  }
  auto finishFile = [&] {
    if (file && file->started()) take(file->Finish());
  };
  // Only announced here: the result window does not wait for the bitmap.
  if (picture && settings.toClipboard) run.clipboard.Offer(run.frame, picture);
  if (!result.hwnd()) result.CreateModal(run.frame);
  result.SetSaveAs(settings.folder, run.options.format, run.options.jpegQuality);
  result.SetCapturePlace(origin);
  result.SetContent(
      [&] {
        finishFile();
        result.SetCaptureFile(written);
        return info + fileLine;
      },
      width, height, std::move(picture));
  result.RunModal();
  finishFile();  // the window could not be made
  return result.choice();
}

// Nothing when the countdown was cancelled.
std::optional<CaptureChoice> FullScreen(const CaptureRun& run) {
  if (!CCountdownWindow::Run(run.delaySeconds, run.frame)) return std::nullopt;
  std::unique_ptr<ISnapshotWriter> file = run.FileWriter();
  // Made while the screen settles, hidden, when the wait has time left for
  // it (at large sizes the picture's memory takes the wait); it goes unseen
  // when the grab fails.
  CCaptureResultDlg result;
  ScreenGrab grab;
  PinsAside pins;
  if (!GrabScreen(
          grab, HostScreenReader(), file.get(),
          [&](DWORD msLeft) {
            PrepareClipboard(run);
            if (msLeft >= kResultWindowMs) result.CreateModal(run.frame);
          },
          run.options.screens))
    return CaptureChoice::kNone;
  pins.Back();
  CaptureChoice choice = OutputAndShow(run, result, std::move(grab.picture), grab.width, grab.height, file.get(),
                             POINT{grab.left, grab.top});
  if (IsWindow(run.frame)) ClickAtCursor();
  return choice;
}

CaptureChoice Pick(const CaptureRun& run, int mode) {
  ScreenGrab grab;
  // Windows and regions are picked on every monitor. The pick draws on the
  // grabbed screen: the pins stay away until it ends.
  PinsAside pins;
  if (!GrabScreen(grab, HostScreenReader(), nullptr, [&run](DWORD) { PrepareClipboard(run); },
                  CaptureScreens::kAll))
    return CaptureChoice::kNone;
  const Rect area{grab.left, grab.top, grab.left + grab.picture->width(), grab.top + grab.picture->height()};
  // The hook library is bound while the prompt is open.
  CPickPromptDlg prompt(mode, grab.picture->bitmap(), area);
  prompt.DoModal(run.frame);

  CaptureChoice choice = CaptureChoice::kNone;
  if (prompt.confirmed() && IsWindow(run.frame)) {
    const Rect& r = prompt.pick();
    {
      // The screen shows exactly the grabbed picture again (the screen's DC:
      // screen coordinates over every monitor).
      win::WindowDc screen(nullptr);
      win::OwnedDc source = win::OwnedDc::Compatible(screen);
      win::Select select(source, grab.picture->bitmap());
      BitBlt(screen, area.left, area.top, area.Width(), area.Height(), source, 0, 0, SRCCOPY);
    }
    pins.Back();
    // The pick is in screen pixels; the grabbed picture starts at the area's corner.
    const POINT origin{r.left, r.top};
    const Rect inPicture{r.left - area.left, r.top - area.top, r.right - area.left, r.bottom - area.top};
    if (prompt.pinRequested()) {
      // Pinned where it was marked: no file, no clipboard, no result window.
      PinSource pin;
      pin.picture = CropPicture(*grab.picture, inPicture);
      pin.origin = origin;
      pin.folder = run.settings.folder;
      pin.quality = run.options.jpegQuality;
      CPinBoard::Get().Pin(std::move(pin));
    } else {
      // Cut from the grabbed picture itself, so that nothing drawn on the
      // screen since the grab can reach the capture; its file starts as the
      // cut is made.
      std::unique_ptr<ISnapshotWriter> file = run.FileWriter();
      PicturePtr cropped = CropPicture(*grab.picture, inPicture, file.get());
      CCaptureResultDlg result;
      choice = OutputAndShow(run, result, std::move(cropped), r.Width(), r.Height(), file.get(), origin);
    }
  }
  grab.picture.reset();
  if (mode == kPickRegion && !prompt.pinRequested() && IsWindow(run.frame)) ClickAtCursor();
  return choice;
}

}  // namespace

std::string capture::InfoLine(int width, int height) {
  return text::Format("屏捕信息 [宽=%d, 高=%d]", width, height);
}

void CCaptureEngine::SetSettings(const SnapshotSettings& settings) {
  settings_ = settings;
  settings_.folder = InProgramFolder(settings.folder);
}

bool CCaptureEngine::Run(CaptureChoice choice, HWND frame, int extraDelay) {
  if (!ready_) return false;
  bool first = true;
  while (choice != CaptureChoice::kNone) {
    ready_ = false;
    // The settings a reload brings while this capture runs are the next one's.
    const CaptureRun run{frame, settings_, options_, clipboard_, options_.delaySeconds + (first ? extraDelay : 0)};
    std::optional<CaptureChoice> next =
        choice == CaptureChoice::kFullScreen
            ? FullScreen(run)
            : Pick(run, choice == CaptureChoice::kWindow ? kPickWindow : kPickRegion);
    ready_ = true;
    if (!IsWindow(frame)) return true;  // the program ended from the result window
    if (!next) return !first;
    first = false;
    choice = *next;
  }
  return true;
}
