// The owner-drawn push button of every toolbox window: a rounded rectangle
// with a green caption that turns red while the mouse is over it.
#pragma once
#include "win/Window.h"

class CSkinButton : public win::Window {
 public:
  // Takes over a BS_OWNERDRAW button of a dialog; its parent forwards
  // WM_DRAWITEM for it to DrawItem (done by DrawOwned below).
  bool Attach(HWND dialog, int id) { return SubclassItem(dialog, id); }
  void DrawItem(const DRAWITEMSTRUCT& item);
  int hover_state() const { return hoverState_; }

  // For a parent's WM_DRAWITEM: draws the item when it is one of our buttons.
  static bool DrawOwned(const DRAWITEMSTRUCT* item);

 protected:
  void OnMouseMove(UINT flags, POINT pt) override;
  void OnLButtonDown(UINT flags, POINT pt) override;
  void OnLButtonUp(UINT flags, POINT pt) override;
  void OnTimer(UINT_PTR id) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  static constexpr UINT_PTR kHoverTimer = 1;
  void SetHover(int state);

  int hoverState_ = 0;  // 0 normal, 2 mouse over or pressed
  UINT_PTR hoverTimer_ = 0;
};
