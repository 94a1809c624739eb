// Where a picture of the editor or of a pin goes: the clipboard, a file
// under the name the user picks, a file written over.
#pragma once
#include <windows.h>

#include <string>

#include "capture/CaptureOptions.h"
#include "capture/win/CapturePicture.h"

namespace picture_output {

// Puts a copy of the picture on the clipboard as a DIB (the system offers
// it as a bitmap too); owner owns the clipboard. False when the clipboard
// could not be opened or filled.
bool CopyToClipboard(HWND owner, const CCapturePicture& picture);

// The common save dialog offering BMP, PNG and JPEG, starting with format
// chosen; "" when the user cancels. format receives the type the user
// chose, and the path ends with that type's extension.
std::string AskPathAndFormat(HWND owner, const std::string& folder, const std::string& name,
                             CaptureFormat& format);

// Writes the picture's file in format over path atomically: a failed write
// leaves the old file as it was. quality is JPEG's. False on any failure.
bool WriteFileAs(const CCapturePicture& picture, const std::string& path, CaptureFormat format, int quality);

// The format of the file at path, by its first bytes, else by its name.
CaptureFormat FormatOfFile(const std::string& path);

}  // namespace picture_output
