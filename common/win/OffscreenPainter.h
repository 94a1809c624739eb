// Paints a window's client area through one memory bitmap and copies it to
// the screen only over the areas that are not covered by child controls, so
// that neither the background nor the controls flicker. The owner fills the
// cover at every layout change (client rectangle first, then one rectangle
// per child) and paints from WM_PAINT and WM_ERASEBKGND.
#pragma once
#include <windows.h>

#include <functional>

#include "common/RectCover.h"

class OffscreenPainter {
 public:
  // Receives the memory DC (white, transparent text background, the given
  // font selected) and the client rectangle.
  using DrawFn = std::function<void(HDC dc, const RECT& client)>;

  // Starts a new layout: the area, then the holes.
  void BeginLayout(const RECT& client);
  void AddHole(const RECT& r);
  void EndLayout() { cover_.Compute(); }
  const CRectCover& cover() const { return cover_; }

  // Draws into a memory bitmap of the client size compatible with target and
  // copies it to target over the cover. False when the memory DC or bitmap
  // could not be made (nothing is drawn then).
  bool Paint(HWND hwnd, HDC target, HFONT font, const DrawFn& draw) const;

 private:
  CRectCover cover_;
};
