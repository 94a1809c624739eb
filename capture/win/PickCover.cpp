#include "capture/win/PickCover.h"

#include "win/Gdi.h"

namespace {
const wchar_t kClass[] = L"brova.pick.cover";
}

bool CPickCover::Open(HDC source, const Rect& area) {
  source_ = source;
  area_ = area;
  RegisterClass(kClass, 0, nullptr, nullptr, LoadCursorW(nullptr, IDC_ARROW));
  if (!Create(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClass, "", WS_POPUP, area.left, area.top,
              area.Width(), area.Height(), nullptr))
    return false;
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd_);
  return true;
}

LRESULT CPickCover::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;  // painting covers every pixel
    default:
      return Window::WindowProc(msg, wp, lp);
  }
}

void CPickCover::OnPaint() {
  win::PaintDc paint(hwnd_);
  const RECT& r = paint.paint().rcPaint;
  BitBlt(paint, r.left, r.top, r.right - r.left, r.bottom - r.top, source_, r.left, r.top, SRCCOPY);
}
