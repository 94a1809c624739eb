// The Windows path: one BitBlt of the whole area into the DIB section; a
// read there has a fixed cost of its own, so it is never split.
#include "capture/win/GdiScreenReader.h"

#include "win/Gdi.h"

void GdiScreenReader::Prepare(HDC, CapturePicture& picture, const ScreenArea&) { picture.ReadyPages(); }

bool GdiScreenReader::Read(HDC display, CapturePicture& picture, const ScreenArea& area, const RowsRead& rowsRead) {
  win::OwnedDc memory = win::OwnedDc::Compatible(display);
  if (!memory) return false;
  win::Select select(memory, picture.bitmap());
  if (!BitBlt(memory, 0, 0, area.cx, area.cy, display, area.left, area.top, SRCCOPY)) return false;
  if (rowsRead) rowsRead(area.cy);
  return true;
}
