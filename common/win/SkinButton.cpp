#include "common/win/SkinButton.h"

#include "common/win/Palette.h"
#include "common/win/SharedGdi.h"
#include "win/Gdi.h"

namespace {
constexpr COLORREF kFaceDisabled = RGB(160, 160, 160);
constexpr COLORREF kBorderDisabled = RGB(128, 128, 128);
constexpr COLORREF kCaptionDisabled = RGB(0, 0, 0);
constexpr int kCorner = 8;
}  // namespace

void CSkinButton::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  win::Brush outside(CreateSolidBrush(palette::kGrey));
  FillRect(dc, &r, outside);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, palette::kText);
  win::Select font(dc, shared_gdi::BoldFont12(Dpi()));

  bool disabled = (item.itemState & ODS_DISABLED) != 0;
  COLORREF face = disabled ? kFaceDisabled : palette::kPaper;
  COLORREF border = disabled ? kBorderDisabled : palette::kLeaf;
  COLORREF caption = disabled ? kCaptionDisabled : (hovered_ ? palette::kRed : palette::kGreen);

  win::Brush faceBrush(CreateSolidBrush(face));
  win::Pen borderPen(CreatePen(PS_SOLID, 1, border));
  {
    win::Select b(dc, faceBrush);
    win::Select p(dc, borderPen);
    RoundRect(dc, r.left, r.top, r.right, r.bottom, kCorner, kCorner);
  }
  SetTextColor(dc, caption);
  win::DrawText(dc, Text(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CSkinButton::SetHover(bool hovered) {
  hovered_ = hovered;
  Invalidate(false);
}

void CSkinButton::OnMouseMove(UINT flags, POINT pt) {
  Default();
  RECT client = ClientRect();
  bool inside = PtInRect(&client, pt) != 0;
  if (inside == hovered_) return;
  SetHover(inside);
  if (hoverTimer_) KillTimer(hwnd_, hoverTimer_);
  hoverTimer_ = SetTimer(hwnd_, kHoverTimer, 100, nullptr);
}

void CSkinButton::OnTimer(UINT_PTR id) {
  if (id == kHoverTimer) {
    POINT cursor;
    GetCursorPos(&cursor);
    RECT r = WindowRect();
    if (!PtInRect(&r, cursor)) {
      KillTimer(hwnd_, hoverTimer_);
      hoverTimer_ = 0;
      SetHover(false);
    }
  }
  Default();
}

void CSkinButton::OnLButtonDown(UINT flags, POINT pt) {
  Default();
  if (hwnd_) SetHover(true);
}

void CSkinButton::OnLButtonUp(UINT flags, POINT pt) {
  HWND self = hwnd_;
  Default();
  // The click may have closed the dialog that holds us.
  if (self && IsWindow(self) && hwnd_ == self) SetHover(false);
}

LRESULT CSkinButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  // A double click on a push button is two clicks to the user.
  if (msg == WM_LBUTTONDBLCLK) return HandleAs(WM_LBUTTONDOWN, wp, lp);
  return Window::WindowProc(msg, wp, lp);
}
