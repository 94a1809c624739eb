// Paints a window's client area through one memory bitmap and copies it to
// the screen only over the areas of a CRectCover (the background around the
// child controls), so neither the background nor the controls flicker.
#pragma once
#include <windows.h>

#include <functional>

#include "common/RectCover.h"

namespace win {

class OffscreenPainter {
 public:
  // The set of areas to copy; the owner fills it at every layout change
  // (client rectangle first, then one rectangle per child) and computes it.
  CRectCover& cover() { return cover_; }
  // Sets the cover to the client rectangle less the given child rectangles
  // (client coordinates) and computes it.
  void SetLayout(const RECT& client, const RECT* holes, int holeCount);

  // Draws with paint(memoryDc, clientRect) into a white bitmap of the client
  // size (transparent text background, font selected when given) and copies
  // it to target over the cover.
  void Paint(HWND hwnd, HDC target, HFONT font, const std::function<void(HDC, const RECT&)>& paint) const;

 private:
  CRectCover cover_;
};

}  // namespace win
