#include "win/Dpi.h"

#include "win/Gdi.h"

namespace win {

int DpiOf(HWND hwnd) {
  // GetDpiForWindow exists from Windows 10 1607 on; before, the system DPI.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const GetDpiForWindowFn getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow && hwnd) {
    UINT dpi = getDpiForWindow(hwnd);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  WindowDc dc(hwnd);
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  return dpi > 0 ? dpi : 96;
}

}  // namespace win
