// GDI objects that many windows share, created once at start and kept until
// the process ends.
#pragma once
#include <windows.h>

namespace shared_gdi {

void Create();
HFONT Font14();            // "宋体", characters 14 pixels high
HFONT Font24();            // "宋体", characters 24 pixels high
HFONT BoldFont12();        // "宋体", characters 12 pixels high, bold: captions of skinned buttons

}  // namespace shared_gdi
