#include "capture/LoupeGeometry.h"

#include <algorithm>

#include "common/Text.h"

namespace loupe {
namespace {

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Covers(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

Rect SourceRect(int px, int py) {
  const int half = kCells / 2;
  return Rect{px - half, py - half, px + half + 1, py + half + 1};
}

Rect Place(int px, int py, int width, int height, const Rect& monitor, const Rect& avoid, int gap) {
  const int right = px + gap + 1, left = px - gap - width;
  const int below = py + gap + 1, above = py - gap - height;
  const Rect candidates[4] = {{right, below, right + width, below + height},
                              {left, below, left + width, below + height},
                              {right, above, right + width, above + height},
                              {left, above, left + width, above + height}};
  for (const Rect& c : candidates)
    if (Inside(c, monitor) && !Overlap(c, avoid)) return c;
  for (const Rect& c : candidates)
    if (Inside(c, monitor)) return c;
  // A monitor too small for it anywhere: held inside from the left and top,
  // then moved off the pointer.
  Rect r = candidates[0];
  const int dx = std::min(0, monitor.right - r.right), dy = std::min(0, monitor.bottom - r.bottom);
  r = Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
  if (Covers(r, px, py)) r = Rect{px + 1, r.top, px + 1 + width, r.bottom};
  return r;
}

std::string HexText(uint32_t rgb) {
  return text::Format("#%02X%02X%02X", (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::string TripleText(uint32_t rgb) {
  return text::Format("%u,%u,%u", (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::vector<Rect> Subtract(const Rect& a, const Rect& b) {
  std::vector<Rect> out;
  if (a.right <= a.left || a.bottom <= a.top) return out;
  if (!Overlap(a, b)) {
    out.push_back(a);
    return out;
  }
  if (b.top > a.top) out.push_back(Rect{a.left, a.top, a.right, b.top});
  if (b.bottom < a.bottom) out.push_back(Rect{a.left, b.bottom, a.right, a.bottom});
  const int top = std::max(a.top, b.top), bottom = std::min(a.bottom, b.bottom);
  if (b.left > a.left) out.push_back(Rect{a.left, top, b.left, bottom});
  if (b.right < a.right) out.push_back(Rect{b.right, top, a.right, bottom});
  return out;
}

}  // namespace loupe
