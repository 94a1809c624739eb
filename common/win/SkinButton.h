// The owner-drawn push button of every toolbox window: a rounded rectangle
// with a green caption that turns red while the mouse is over it.
#pragma once
#include "win/Window.h"

class CSkinButton : public win::Window {
 public:
  // Takes over a BS_OWNERDRAW button of a dialog; the parent's WM_DRAWITEM
  // for it reaches DrawItem through the window layer.
  bool Attach(HWND dialog, int id) { return SubclassItem(dialog, id); }
  void DrawItem(const DRAWITEMSTRUCT& item);
  bool hovered() const { return hovered_; }

 protected:
  void OnMouseMove(UINT flags, POINT pt) override;
  void OnLButtonDown(UINT flags, POINT pt) override;
  void OnLButtonUp(UINT flags, POINT pt) override;
  void OnTimer(UINT_PTR id) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnReflectedDrawItem(const DRAWITEMSTRUCT& item) override {
    DrawItem(item);
    return true;
  }

 private:
  static constexpr UINT_PTR kHoverTimer = 1;
  void SetHover(bool hovered);

  bool hovered_ = false;  // the mouse over it, or pressed
  UINT_PTR hoverTimer_ = 0;
};
