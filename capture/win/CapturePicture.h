// The picture of one capture. On a display of 32 bits a pixel it is a 32-bit
// bottom-up DIB section: its rows are the pixel rows of the BMP file, so the
// file is written straight from the picture's memory, with no conversion and
// no second buffer. On other displays it is a device-compatible bitmap,
// whose file GetDIBits builds.
//
// The result window, the clipboard offer and the capture sequence share a
// picture; it goes when the last of them lets it go.
#pragma once
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "capture/BmpLayout.h"
#include "win/Gdi.h"

class CCapturePicture {
 public:
  CCapturePicture(const CCapturePicture&) = delete;
  CCapturePicture& operator=(const CCapturePicture&) = delete;

  // A picture of width x height for pixels copied from dc's device; null
  // when it cannot be made.
  static std::shared_ptr<CCapturePicture> Make(HDC dc, int width, int height);
  // Wraps a bitmap that already holds a picture (no file of its own).
  static std::shared_ptr<CCapturePicture> Adopt(win::Bitmap bitmap, int width, int height);

  HBITMAP bitmap() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }

  // Make a new picture's memory ready before the screen is copied into it,
  // in two steps, so that the copy meets no page faults: MapPages has the
  // system map every page (under Wine; elsewhere it does nothing), then
  // ReadyPages writes to each page once; the picture is black afterwards.
  // Between the two the pages may be read, by this thread or another.
  void MapPages(bool wine);
  void ReadyPages();

  // The BMP file of the picture: its 54 header bytes, the pixel rows in the
  // picture's own memory, and the number of zero bytes that end the pixel
  // block (the header's block size counts more than the rows hold for
  // widths that are not a multiple of 8). False for a device-compatible
  // bitmap.
  struct File {
    std::string headers;
    const unsigned char* rows = nullptr;
    size_t rowBytes = 0;
    size_t zeros = 0;
  };
  bool GetFile(File& out) const;

 private:
  CCapturePicture() = default;
  size_t RowBytes() const;  // of the DIB section's rows

  win::Bitmap bitmap_;
  int width_ = 0;
  int height_ = 0;
  BmpLayout layout_;
  unsigned char* bits_ = nullptr;  // the DIB section's rows; null for a compatible bitmap
};

using PicturePtr = std::shared_ptr<CCapturePicture>;

// True when the program runs under Wine (its ntdll exports
// wine_get_version) and the environment does not ask for the plain path
// with VISTREL_PLAIN_CAPTURE=1. Read once.
bool UseWinePaths();
