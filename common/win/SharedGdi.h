// GDI objects that many windows share, created once at start and kept until
// the process ends.
#pragma once
#include <windows.h>

namespace shared_gdi {

constexpr COLORREF kBackgroundColor = RGB(250, 255, 243);

void Create();
HBRUSH BackgroundBrush();  // solid RGB(250, 255, 243)
HFONT Font14();            // "宋体", characters 14 pixels high
HFONT Font24();            // "宋体", characters 24 pixels high
HFONT BoldFont12();        // "宋体", characters 12 pixels high, bold: captions of skinned buttons

}  // namespace shared_gdi
