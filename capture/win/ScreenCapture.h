// The screen grab, the crop of a picked rectangle and the BMP file of a
// capture. All sizes are physical pixels: the program is
// per-monitor DPI aware.
#pragma once
#include <windows.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "capture/win/CapturePicture.h"
#include "common/Rect.h"
#include "win/Gdi.h"

// The picture of the screen and the display size that GetDeviceCaps
// reports (HORZRES, VERTRES).
struct ScreenGrab {
  PicturePtr picture;
  int width = 0;
  int height = 0;
};

class SnapshotStream;

// Waits 100 ms (menus and just-hidden windows leave the screen), then copies
// the display into a new picture. Everything that does not depend on what
// the screen shows (the picture's memory, the reading of the screen, with a
// stream the file's folders and temporary file) is made ready during the
// wait. With a stream, the picture's file is written while the screen is
// read. whileWaiting, when given, runs inside the wait, told how many
// milliseconds of it are left: work of the caller that changes nothing on
// the screen. False when the display DC or the
// picture cannot be made or the screen not be read; a stream that was
// started is then abandoned.
bool GrabScreen(ScreenGrab& out, SnapshotStream* stream = nullptr,
                const std::function<void(DWORD msLeft)>& whileWaiting = nullptr);
// Waits ms milliseconds, repainting the windows of this thread meanwhile:
// what a window of ours that just closed (the result window) had covered
// must be on the screen again before it is grabbed. Only paint messages
// are dispatched, so no command can start inside the wait.
void SettleScreen(DWORD ms);
// The same without the wait.
bool GrabScreenNow(ScreenGrab& out);

// A new device-compatible bitmap holding r of source (which must not be
// selected into a DC); empty for an empty rectangle.
win::Bitmap CopyBitmapRect(HBITMAP source, const Rect& r);
// A new capture picture holding r of source; null for an empty rectangle.
// With a stream, the picture's file is started while the picture is made
// and its rows are reported read once they are copied.
PicturePtr CropPicture(const CapturePicture& source, const Rect& r, SnapshotStream* stream = nullptr);

// The file a capture went to: the name that was chosen, and whether the
// whole file was written there.
struct SnapshotFile {
  std::string path;
  bool written = false;
};

// Writes bitmap as "Snapshot<local time>.bmp" into folder, creating the
// folders along the way. dc is a DC of the desktop window (GetDIBits reads
// the bitmap through it). A name already taken by an earlier capture of the
// same second gets "_2", "_3"... before ".bmp", so no capture replaces
// another. The file appears under its name only when it is complete.
SnapshotFile SaveSnapshotBmp(HBITMAP bitmap, HDC dc, const std::string& folder);
// The same for a capture picture: where the picture's memory holds the
// file's pixel rows the file is written from it; otherwise as above.
SnapshotFile SaveSnapshotBmp(const CapturePicture& picture, HDC dc, const std::string& folder);

// A capture file written by a worker thread while the picture's rows are
// still coming: the headers, the rows as they are reported read (bottom-up,
// the file's order), then the zeros that end the pixel block. The file is
// named and placed as SaveSnapshotBmp does; the moment in its name is when
// the first rows are reported read, so the worker may open its temporary
// file before the capture is taken.
class SnapshotStream {
 public:
  explicit SnapshotStream(std::string folder) : folder_(std::move(folder)) {}
  ~SnapshotStream();
  SnapshotStream(const SnapshotStream&) = delete;
  SnapshotStream& operator=(const SnapshotStream&) = delete;

  // Starts the file of picture, which must live until the stream ends and
  // whose pages must be mapped (CapturePicture::MapPages); false, and
  // nothing started, for a picture without file bytes of its own. Under
  // Wine the worker writes over the file's length from the picture's memory
  // until the first rows are read, then from its start again.
  bool Start(const CapturePicture& picture);
  bool started() const { return worker_.joinable(); }
  // The bottom rows of the picture, this many, are read.
  void RowsRead(int rows);
  // Waits for the file; every row must have been reported read. The worker
  // may still be ending; the destructor waits for it.
  SnapshotFile Finish();
  // Ends a stream whose rows will not all come; no file is left behind. The
  // stream may be started again afterwards.
  void Abandon();

 private:
  SnapshotFile Write();
  bool WriteRows(HANDLE out);
  bool FirstPass(HANDLE out);
  // The file's name for the moment of the capture, once it is known.
  std::string MomentPath();

  std::string folder_;
  CapturePicture::File file_;
  size_t stride_ = 0;
  bool firstPass_ = false;
  std::thread worker_;
  std::mutex mutex_;
  std::condition_variable more_;
  size_t ready_ = 0;  // bytes of rows read
  bool abandoned_ = false;
  bool taken_ = false;  // moment_ holds the moment of the capture
  bool done_ = false;   // result_ holds the file
  SYSTEMTIME moment_{};
  SnapshotFile result_;
};

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

// The rectangle a window shows on screen: its visible frame bounds where
// the system reports them (DWM), otherwise its window rectangle.
RECT VisibleWindowBounds(HWND window);
