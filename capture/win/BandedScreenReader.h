#pragma once
#include "capture/win/ScreenReader.h"

class CBandedScreenReader : public IScreenReader {
 public:
  // Bytes of screen read in one piece.
  static const size_t kBandBytes;

  void MapPages(CCapturePicture& picture) override { picture.MapPages(true); }
  void Prepare(HDC display, HDC memory, const ScreenArea& area) override;
  bool Read(HDC display, HDC memory, const ScreenArea& area, const RowsRead& rowsRead) override;
};
