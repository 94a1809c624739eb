// GDI objects that many windows share, created once at start and kept until
// the process ends.
#pragma once
#include <windows.h>

namespace shared_gdi {

constexpr COLORREF kBackgroundColor = RGB(250, 255, 243);

void Create();
HBRUSH BackgroundBrush();  // solid RGB(250, 255, 243)
HFONT Font14();            // "宋体", height 14
HFONT Font24();            // "宋体", height 24
HFONT BoldFont12();        // "宋体", height 12, bold: captions of skinned buttons

}  // namespace shared_gdi
