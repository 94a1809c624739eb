#pragma once
#include "capture/win/ScreenReader.h"

class GdiScreenReader : public IScreenReader {
 public:
  void MapPages(CapturePicture& picture) override { picture.MapPages(false); }
  void Prepare(HDC display, CapturePicture& picture, const ScreenArea& area) override;
  bool Read(HDC display, CapturePicture& picture, const ScreenArea& area, const RowsRead& rowsRead) override;
};
