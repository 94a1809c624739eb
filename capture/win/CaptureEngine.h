// The three capture sequences: grab the screen, let the user pick a window
// or region where asked, write the picture to the clipboard and a BMP file
// as the settings say, show the result window, and run the capture the
// user chooses there next.
#pragma once
#include <windows.h>

#include <string>

#include "capture/CaptureChoice.h"
#include "capture/CaptureOptions.h"
#include "capture/SnapshotSettings.h"
#include "capture/win/CaptureResultDlg.h"
#include "capture/win/ClipboardOffer.h"

class CCaptureEngine {
 public:
  // The settings the next captures use; each capture takes them once, as it
  // starts.
  // A save folder named relative to the program folder is kept as a full path.
  void SetSettings(const SnapshotSettings& settings);
  void SetOptions(const CaptureOptions& options) { options_ = options; }

  // Runs the sequence for choice (full screen, window or region) and then
  // the follow-ups the result window asks for. frame owns the clipboard
  // offer; the sequences stop when it is destroyed (the program ends from
  // the result window). Every full-screen capture waits the options' delay
  // first, with a countdown; the first one waits extraDelay seconds more.
  // False when refused because a capture is running already (captures
  // never nest), or when the user cancelled the first countdown.
  bool Run(CaptureChoice choice, HWND frame, int extraDelay = 0);

 private:
  bool ready_ = true;
  SnapshotSettings settings_;
  CaptureOptions options_;
  // Lives as long as the frame, its window's parent.
  CClipboardOffer clipboard_;
};

namespace capture {
// The info line of the result window.
std::string InfoLine(int width, int height);
}  // namespace capture
