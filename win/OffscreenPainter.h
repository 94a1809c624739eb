// Paints a window's client area through one memory bitmap and copies it to
// the screen only over the areas of a CRectCover (the background around the
// child controls), so neither the background nor the controls flicker. The
// owner sets the layout at every layout change (client rectangle first, then
// one hole per child) and paints from WM_PAINT and WM_ERASEBKGND.
#pragma once
#include <windows.h>

#include <functional>

#include "common/RectCover.h"

namespace win {

class OffscreenPainter {
 public:
  // Receives the memory DC (white, transparent text background, the given
  // font selected) and the client rectangle.
  using DrawFn = std::function<void(HDC dc, const RECT& client)>;

  // A new layout: the area, then the holes (client coordinates).
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

}  // namespace win
