// The three capture sequences: grab the screen, let the user pick a window
// or region where asked, write the picture to the clipboard and a BMP file
// as the settings say, show the result window, and run the capture the
// user chooses there next.
#pragma once
#include <windows.h>

#include <string>

#include "capture/win/CaptureResultDlg.h"

namespace capture {

// Runs the sequence for choice (full screen, window or region) and then the
// follow-ups the result window asks for. ready is the frame's capture-ready
// flag: a sequence that finds it 0 does nothing, so captures never nest.
// frame owns the clipboard; the sequences stop when it is destroyed (the
// program ends from the result window).
// False when it was refused because another capture is running (ready 0).
bool RunCaptures(int choice, HWND frame, int& ready);

// The info line of the result window.
std::string InfoLine(int width, int height);

}  // namespace capture
