// The screen grab: the 100 ms wait for menus and just-hidden windows to
// leave the screen, what is made ready inside it, and the read. All sizes
// are physical pixels: the program is per-monitor DPI aware.
#pragma once
#include <windows.h>

#include <functional>

#include "capture/CaptureOptions.h"
#include "capture/win/CapturePicture.h"
#include "capture/win/ScreenReader.h"
#include "capture/win/SnapshotWriter.h"

// The picture of the screen, where it stood on the display (its top-left
// in screen coordinates) and the size the info line reports: for the
// primary screen the display's size as GetDeviceCaps reports it (HORZRES,
// VERTRES), otherwise the picture's.
struct ScreenGrab {
  PicturePtr picture;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Work of the caller that runs inside the wait and changes nothing on the
// screen, told how many milliseconds of the wait are left.
using WaitWork = std::function<void(DWORD msLeft)>;

// Waits 100 ms, then reads the screens asked for into a new picture with
// reader. Everything that does not depend on what the screen shows (the
// picture's memory, the reads, with a file writer the file's folders and
// temporary file) is made ready during the wait; with a writer, the
// picture's file is written while the screen is read. False when the
// display DC or the picture cannot be made or the screen not be read; a
// writer that was begun is then abandoned.
bool GrabScreen(ScreenGrab& out, IScreenReader& reader, ISnapshotWriter* file, const WaitWork& work,
                CaptureScreens screens = CaptureScreens::kPrimary);

// Waits ms milliseconds, repainting the windows of this thread meanwhile:
// what a window of ours that just closed (the result window) had covered
// must be on the screen again before it is grabbed. Only paint messages
// are dispatched, so no command can start inside the wait.
void SettleScreen(DWORD ms);
