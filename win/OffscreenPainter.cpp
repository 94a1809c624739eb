#include "win/OffscreenPainter.h"

#include "win/Gdi.h"

namespace win {

void OffscreenPainter::SetLayout(const RECT& client, const RECT* holes, int holeCount) {
  cover_.Clear();
  cover_.Push(client.left, client.top, client.right - client.left, client.bottom - client.top);
  for (int i = 0; i < holeCount; ++i)
    cover_.Push(holes[i].left, holes[i].top, holes[i].right - holes[i].left, holes[i].bottom - holes[i].top);
  cover_.Compute();
}

void OffscreenPainter::Paint(HWND hwnd, HDC target, HFONT font,
                             const std::function<void(HDC, const RECT&)>& paint) const {
  RECT client{};
  GetClientRect(hwnd, &client);
  int width = client.right - client.left, height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;
  OwnedDc mem = OwnedDc::Compatible(target);
  Bitmap bitmap(CreateCompatibleBitmap(target, width, height));
  if (!mem || !bitmap) return;
  Select useBitmap(mem, bitmap);
  Select useFont(mem, font);
  PatBlt(mem, 0, 0, width, height, WHITENESS);
  SetBkMode(mem, TRANSPARENT);
  paint(mem, client);
  int count = 0;
  const Rect* areas = cover_.GetCover(&count);
  for (int i = 0; i < count; ++i) {
    const Rect& a = areas[i];
    BitBlt(target, a.left, a.top, a.Width(), a.Height(), mem, a.left, a.top, SRCCOPY);
  }
}

}  // namespace win
