// The Windows path: one BitBlt of the whole area into the DIB section; a
// read there has a fixed cost of its own, so it is never split.
#include "capture/win/GdiScreenReader.h"

bool CGdiScreenReader::Read(HDC display, HDC memory, const ScreenArea& area, const RowsRead& rowsRead) {
  if (!BitBlt(memory, 0, 0, area.cx, area.cy, display, area.left, area.top, SRCCOPY)) return false;
  if (rowsRead) rowsRead(area.cy);
  return true;
}
