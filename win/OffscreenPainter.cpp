#include "win/OffscreenPainter.h"

#include "win/Gdi.h"

namespace win {

void OffscreenPainter::BeginLayout(const RECT& client) {
  cover_.Clear();
  cover_.Push(client.left, client.top, client.right - client.left, client.bottom - client.top);
}

void OffscreenPainter::AddHole(const RECT& r) { cover_.Push(r.left, r.top, r.right - r.left, r.bottom - r.top); }

bool OffscreenPainter::Paint(HWND hwnd, HDC target, HFONT font, const DrawFn& draw) const {
  RECT client{};
  GetClientRect(hwnd, &client);
  int width = client.right - client.left, height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return true;
  OwnedDc mem = OwnedDc::Compatible(target);
  Bitmap bitmap(CreateCompatibleBitmap(target, width, height));
  if (!mem || !bitmap) return false;
  Select useBitmap(mem, bitmap);
  Select useFont(mem, font);
  PatBlt(mem, 0, 0, width, height, WHITENESS);
  SetBkMode(mem, TRANSPARENT);
  draw(mem, client);
  int count = 0;
  const Rect* areas = cover_.GetCover(&count);
  for (int i = 0; i < count; ++i) {
    const Rect& a = areas[i];
    BitBlt(target, a.left, a.top, a.Width(), a.Height(), mem, a.left, a.top, SRCCOPY);
  }
  return true;
}

}  // namespace win
