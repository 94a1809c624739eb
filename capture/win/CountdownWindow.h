// The countdown of a delayed full-screen capture: a small topmost window
// with the seconds left. It never takes the focus, so menus and tooltips
// that the user opens meanwhile stay open; Esc or a click on it cancels.
#pragma once
#include <string>

#include "win/Window.h"

class CCountdownWindow : public win::Window {
 public:
  // Counts seconds down while the messages of this thread are served;
  // true when they ran out, false when the user cancelled or frame went.
  // The window is gone, and what it covered repainted, when this returns.
  static bool Run(int seconds, HWND frame);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool PaintsWholeClient() const override { return true; }
  void PaintContent(HDC dc, const RECT& client) override;
  void OnLButtonDown(UINT flags, POINT pt) override { cancelled_ = true; }
  void OnRButtonDown(UINT flags, POINT pt) override { cancelled_ = true; }

 private:
  bool Open(HWND owner);
  void SetLeft(int seconds);

  int left_ = 0;
  bool cancelled_ = false;
};

// The window's title, how other programs find it.
extern const char kCountdownTitle[];
