// How the screen is read into a capture picture: what differs between
// hosts. On Windows one BitBlt reads it; under Wine it is read in bands
// with its pages mapped and its reads warmed up first. Chosen once.
#pragma once
#include <windows.h>

#include <functional>

#include "capture/win/CapturePicture.h"

// The part of the display a grab reads, in the display DC's coordinates
// (the primary monitor's top-left is 0, 0; others may lie at negative ones).
struct ScreenArea {
  int left = 0, top = 0, cx = 0, cy = 0;
};

// Told, bottom-up, how many of the picture's bottom rows are read.
using RowsRead = std::function<void(int rows)>;

class IScreenReader {
 public:
  virtual ~IScreenReader() = default;
  // Has the system map the picture's pages; a file writer may read them
  // from then on. The grab then writes each page once (ReadyPages) and
  // selects the picture into memory, a DC compatible with display.
  virtual void MapPages(CCapturePicture& picture) = 0;
  // What can be done before the screen is worth reading: the reads' buffers
  // made. May draw into the picture; Read draws over it.
  virtual void Prepare(HDC display, HDC memory, const ScreenArea& area) = 0;
  // Copies area of the display into the picture, bottom rows first. False
  // when a read fails.
  virtual bool Read(HDC display, HDC memory, const ScreenArea& area, const RowsRead& rowsRead) = 0;
};

// The reader of this host: banded under Wine (UseWinePaths), otherwise one
// BitBlt.
IScreenReader& HostScreenReader();
