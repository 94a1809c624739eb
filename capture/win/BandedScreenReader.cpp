// The Wine path: the screen read in bands from the bottom up, the file's
// order, so that a writer writes each band while the next is read.
#include "capture/win/BandedScreenReader.h"

#include <algorithm>

#include "capture/win/GdiScreenReader.h"

// Each read maps fresh buffers of its size in the X library and in Wine
// unless they are small enough to be taken again from the heaps; below
// that, a piece costs a round trip to the X server and no page faults.
const size_t CBandedScreenReader::kBandBytes = 480 * 1024;

namespace {

int BandRows(int width) {
  const size_t row = static_cast<size_t>(width) * 4;
  return static_cast<int>(std::max<size_t>(1, CBandedScreenReader::kBandBytes / row));
}

}  // namespace

void CBandedScreenReader::Prepare(HDC display, HDC memory, const ScreenArea& area) {
  // Two reads of one band leave the buffers of the reads mapped; what they
  // drew is drawn over by Read.
  for (int i = 0; i < 2; ++i)
    BitBlt(memory, 0, 0, area.cx, std::min(BandRows(area.cx), area.cy), display, area.left, area.top, SRCCOPY);
}

bool CBandedScreenReader::Read(HDC display, HDC memory, const ScreenArea& area, const RowsRead& rowsRead) {
  const int band = BandRows(area.cx);
  for (int y = area.cy; y > 0; y -= band) {
    const int from = std::max(0, y - band);
    if (!BitBlt(memory, 0, from, area.cx, y - from, display, area.left, area.top + from, SRCCOPY)) return false;
    if (rowsRead) rowsRead(area.cy - from);
  }
  return true;
}

IScreenReader& HostScreenReader() {
  static CGdiScreenReader gdi;
  static CBandedScreenReader banded;
  static IScreenReader& chosen = UseWinePaths() ? static_cast<IScreenReader&>(banded) : gdi;
  return chosen;
}
