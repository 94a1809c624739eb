// Layout sizes that a window's code gives in pixels at 96 DPI, scaled to
// the window's DPI. The program is per-monitor DPI aware: windows get their
// pixels at the monitor's DPI, and their dialog units scale with it, so
// pixel constants must scale too or the layout falls apart.
#pragma once
#include <windows.h>

namespace win {

// The DPI of the window's monitor (96 where the system cannot tell).
int DpiOf(HWND hwnd);
// px (at 96 DPI) for the window's DPI.
inline int Scale(HWND hwnd, int px) { return MulDiv(px, DpiOf(hwnd), 96); }

}  // namespace win
