#include "common/win/OffscreenPainter.h"

#include "win/Gdi.h"

void OffscreenPainter::BeginLayout(const RECT& client) {
  cover_.Clear();
  cover_.Push(client.left, client.top, client.right - client.left, client.bottom - client.top);
}

void OffscreenPainter::AddHole(const RECT& r) { cover_.Push(r.left, r.top, r.right - r.left, r.bottom - r.top); }

bool OffscreenPainter::Paint(HWND hwnd, HDC target, HFONT font, const DrawFn& draw) const {
  RECT client{};
  GetClientRect(hwnd, &client);
  const int w = client.right - client.left, h = client.bottom - client.top;
  if (w <= 0 || h <= 0) return true;
  win::OwnedDc mem = win::OwnedDc::Compatible(target);
  win::Bitmap bitmap(CreateCompatibleBitmap(target, w, h));
  if (!mem || !bitmap) return false;
  {
    win::Select selectBitmap(mem, bitmap);
    win::Select selectFont(mem, font);
    PatBlt(mem, 0, 0, w, h, WHITENESS);
    SetBkMode(mem, TRANSPARENT);
    draw(mem, client);
    int count = 0;
    const Rect* rects = cover_.GetCover(&count);
    for (int i = 0; i < count; ++i) {
      const Rect& r = rects[i];
      BitBlt(target, r.left, r.top, r.Width(), r.Height(), mem, r.left, r.top, SRCCOPY);
    }
  }
  return true;
}
