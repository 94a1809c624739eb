// GDI objects that many windows share: the "宋体" fonts at each DPI a window
// asks for, created on first use and kept until the process ends.
#pragma once
#include <windows.h>

namespace shared_gdi {

// Makes the fonts for 96 DPI, so the first window's paint does not pay for
// them.
void Create();
// The sizes are the characters' height in pixels at 96 DPI; `dpi` is the DPI
// of the window that draws (win::DpiOf), so text grows with the layout.
HFONT Font14(int dpi);      // "宋体", characters 14 pixels high
HFONT Font24(int dpi);      // "宋体", characters 24 pixels high
HFONT BoldFont12(int dpi);  // "宋体", characters 12 pixels high, bold: captions of skinned buttons

}  // namespace shared_gdi
