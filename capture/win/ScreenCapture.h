// The crop of a picked rectangle, the BMP file of a capture and the
// committing of capture files under names no earlier capture took. All
// sizes are physical pixels: the program is per-monitor DPI aware.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "capture/win/CapturePicture.h"
#include "capture/win/SnapshotWriter.h"
#include "common/Rect.h"
#include "win/Gdi.h"

// A new device-compatible bitmap holding r of source (which must not be
// selected into a DC); empty for an empty rectangle.
win::Bitmap CopyBitmapRect(HBITMAP source, const Rect& r);
// A new capture picture holding r of source; null for an empty rectangle.
// With a writer, the picture's file is begun while the picture is made
// and its rows are reported read once they are copied.
PicturePtr CropPicture(const CCapturePicture& source, const Rect& r, ISnapshotWriter* file = nullptr);

// Writes bitmap as "Snapshot<local time>.bmp" into folder, creating the
// folders along the way. dc is a DC of the desktop window (GetDIBits reads
// the bitmap through it). A name already taken by an earlier capture of the
// same second gets "_2", "_3"... before ".bmp", so no capture replaces
// another. The file appears under its name only when it is complete.
SnapshotFile SaveSnapshotBmp(HBITMAP bitmap, HDC dc, const std::string& folder);

// The file bytes of bitmap: headers, colour table and pixel block; false
// when the bitmap cannot be read. Kept in memory that VirtualFree releases.
struct BmpImage {
  BmpImage() = default;
  BmpImage(const BmpImage&) = delete;
  BmpImage& operator=(const BmpImage&) = delete;
  ~BmpImage();
  unsigned char* data = nullptr;
  size_t size = 0;
};
bool BuildSnapshotBmp(HBITMAP bitmap, HDC dc, BmpImage& out);

// Bytes of a file; without data, that many zero bytes.
struct FilePart {
  const void* data;
  size_t size;
};
// Writes the parts one after the other to a temporary file beside path,
// then gives it the first name among path, SnapshotPathVariant(path, 2),
// ... that no file has yet; chosen receives it. False, with no file left
// behind, on any failure.
bool WriteUnderFreeName(const std::string& path, const std::vector<FilePart>& parts, std::string& chosen);
// The same with the file's bytes written by write, false when it fails.
bool WriteUnderFreeName(const std::string& path, const std::function<bool(HANDLE)>& write, std::string& chosen);
bool WriteUnderFreeName(const std::string& path, const void* bytes, size_t size, std::string& chosen);
// The same with the temporary file beside tempBeside and the name asked of
// path once the bytes are written: a writer may open its file before the
// moment in its name is known.
bool WriteUnderLateName(const std::string& tempBeside, const std::function<bool(HANDLE)>& write,
                        const std::function<std::string()>& path, std::string& chosen);
// Writes part whole; false on any failure.
bool WriteFilePart(HANDLE file, const FilePart& part);
// "Snapshot<moment><extension>" in folder.
std::string SnapshotPathAt(const std::string& folder, const SYSTEMTIME& moment, const char* extension);

// The rectangle a window shows on screen: its visible frame bounds where
// the system reports them (DWM), otherwise its window rectangle.
RECT VisibleWindowBounds(HWND window);
