// Where a picture of the editor or of a pin goes: the clipboard, a file
// under the name the user picks, a file written over.
#pragma once
#include <windows.h>

#include <string>

#include "capture/win/CapturePicture.h"

namespace picture_output {

// Puts a copy of the picture on the clipboard as a DIB (the system offers
// it as a bitmap too); owner owns the clipboard. False when the clipboard
// could not be opened or filled.
bool CopyToClipboard(HWND owner, const CapturePicture& picture);

// Writes the picture's BMP file over path atomically: a failed write leaves
// the old file as it was. False on any failure.
bool WriteFile(const CapturePicture& picture, const std::string& path);

// The common save dialog, owned by owner, starting in folder with the name
// given; "" when the user cancels.
std::string AskPath(HWND owner, const std::string& folder, const std::string& name);

}  // namespace picture_output
