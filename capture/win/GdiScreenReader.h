#pragma once
#include "capture/win/ScreenReader.h"

class CGdiScreenReader : public IScreenReader {
 public:
  void MapPages(CCapturePicture& picture) override { picture.MapPages(false); }
  void Prepare(HDC, HDC, const ScreenArea&) override {}
  bool Read(HDC display, HDC memory, const ScreenArea& area, const RowsRead& rowsRead) override;
};
