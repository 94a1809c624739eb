// The picture of one capture. On a display of 32 bits a pixel it is a 32-bit
// DIB section whose memory also holds the BMP file's headers right in front
// of the pixels, so the file is written from the picture in one piece, with
// no conversion and no second buffer. On other displays it is a
// device-compatible bitmap, whose file GetDIBits builds.
//
// The result window, the clipboard offer and the capture sequence share a
// picture; it goes when the last of them lets it go.
#pragma once
#include <windows.h>

#include <cstddef>
#include <memory>

#include "capture/BmpLayout.h"
#include "win/Gdi.h"

class CapturePicture {
 public:
  ~CapturePicture();
  CapturePicture(const CapturePicture&) = delete;
  CapturePicture& operator=(const CapturePicture&) = delete;

  // A picture of width x height for pixels copied from dc's device; null
  // when it cannot be made.
  static std::shared_ptr<CapturePicture> Make(HDC dc, int width, int height);
  // Wraps a bitmap that already holds a picture (no file bytes of its own).
  static std::shared_ptr<CapturePicture> Adopt(win::Bitmap bitmap, int width, int height);

  HBITMAP bitmap() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }

  // Brings every page of the picture into memory now, so that the copy of
  // the screen and the file write that follow meet no page faults.
  void ReadyPages(bool wine);

  // The whole BMP file, headers (filled in now) and pixel block, in the
  // picture's own memory; false for a device-compatible bitmap.
  bool FileBytes(const unsigned char*& bytes, size_t& size);

 private:
  CapturePicture() = default;

  win::Bitmap bitmap_;
  int width_ = 0;
  int height_ = 0;
  BmpLayout layout_;
  unsigned char* file_ = nullptr;  // the file's first byte; null for a compatible bitmap
  size_t fileSize_ = 0;
  void* ownView_ = nullptr;  // a view of the section, where the bitmap's own does not reach the headers
  size_t mapped_ = 0;        // bytes from file_ that are mapped
};

using PicturePtr = std::shared_ptr<CapturePicture>;

// True when the program runs under Wine (its ntdll exports
// wine_get_version) and the environment does not ask for the plain path
// with VISTREL_PLAIN_CAPTURE=1. Read once.
bool UseWinePaths();
