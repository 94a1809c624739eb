// A window over the whole area of a pick that shows the grabbed screen B,
// so that it looks like the screen itself. Under Wine it is what the mouse
// moves over, so the hook library hears of the mouse on every monitor, also
// where no window of any program lies; it is transparent to hit tests, so
// the window under the cursor is still the one below it.
#pragma once
#include "common/Rect.h"
#include "win/Window.h"

class CPickCover : public win::Window {
 public:
  // source holds B selected and must outlive the window; area is where B
  // stands on the display.
  bool Open(HDC source, const Rect& area);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnPaint() override;

 private:
  HDC source_ = nullptr;
  Rect area_;
};
