#include "calendar/win/MonthGridButton.h"

#include <string>

#include "common/win/Palette.h"
#include "common/win/SharedGdi.h"
#include "win/Gdi.h"

namespace {

constexpr COLORREF kBand = palette::kLeaf;
constexpr COLORREF kBandText = RGB(255, 255, 0);
constexpr COLORREF kBlack = palette::kText;
constexpr COLORREF kRed = palette::kRed;
constexpr COLORREF kFrameTopLeft = RGB(115, 115, 155);
constexpr COLORREF kFrameBottomRight = RGB(110, 110, 110);
constexpr COLORREF kWorkMark = RGB(96, 96, 96);  // 班: dark grey, a working day
constexpr COLORREF kSelection = palette::kGreen;
constexpr int kSelectionWidth = 2;

RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void DrawTextIn(HDC dc, const std::string& utf8, const Rect& area, UINT format) {
  win::DrawText(dc, utf8, ToRECT(area), format | DT_NOPREFIX);
}

// A one-pixel frame lighter on the top and left, darker on the bottom and
// right, inside the rectangle.
void Draw3dFrame(HDC dc, const Rect& r, COLORREF topLeft, COLORREF bottomRight) {
  int w = r.Width(), h = r.Height();
  Fill(dc, RECT{r.left, r.top, r.left + w - 1, r.top + 1}, topLeft);
  Fill(dc, RECT{r.left, r.top, r.left + 1, r.top + h - 1}, topLeft);
  Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

}  // namespace

void LocalToday(int& year, int& month, int& day) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  year = now.wYear;
  month = now.wMonth;
  day = now.wDay;
}

void PaintMonthModel(HDC dc, const CMonthModel& model, HFONT textFont, int dpi, int selectedDay) {
  SetBkMode(dc, TRANSPARENT);
  {
    win::Select font(dc, textFont);
    SetTextColor(dc, kBlack);
    DrawTextIn(dc, model.TitleText(), model.TitleTextArea(), DT_LEFT | DT_VCENTER | DT_SINGLELINE);

    Fill(dc, ToRECT(model.BandArea()), kBand);
    SetTextColor(dc, kBandText);
    DrawTextIn(dc, model.BandText(), model.BandArea(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    for (int c = 0; c < CMonthModel::kColumns; ++c) {
      Rect cell = model.HeaderCellRect(c);
      Fill(dc, ToRECT(cell), kBand);
      SetTextColor(dc, CMonthModel::IsWeekendColumn(c) ? kBandText : kBlack);
      DrawTextIn(dc, CMonthModel::WeekdayName(c + 1), cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
  }

  for (int r = 0; r < CMonthModel::kRows; ++r) {
    for (int c = 0; c < CMonthModel::kColumns; ++c) {
      Draw3dFrame(dc, model.CellRect(r, c), kFrameTopLeft, kFrameBottomRight);
      const CMonthModel::Cell& cell = model.CellAt(r, c);
      if (!cell.holdsDay) continue;
      {
        win::Select font(dc, shared_gdi::Font24(dpi));
        SetTextColor(dc, model.DayNumberIsRed(r, c) ? kRed : kBlack);
        DrawTextIn(dc, model.DayNumberText(r, c), model.DayNumberRect(r, c),
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      }
      win::Select font(dc, shared_gdi::Font14(dpi));
      SetTextColor(dc, cell.solarTerm ? kRed : kBlack);
      DrawTextIn(dc, cell.dayText, model.DayTextRect(r, c), DT_CENTER | DT_TOP | DT_SINGLELINE);
      const std::string mark = CMonthModel::HolidayMark(cell);
      if (!mark.empty()) {
        SetTextColor(dc, cell.holiday ? kRed : kWorkMark);
        DrawTextIn(dc, mark, model.MarkRect(r, c), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      }
      if (cell.day == selectedDay) {
        Rect b = model.CellRect(r, c);
        const int w = kSelectionWidth;
        Fill(dc, RECT{b.left + 1, b.top + 1, b.right - 1, b.top + 1 + w}, kSelection);
        Fill(dc, RECT{b.left + 1, b.bottom - 1 - w, b.right - 1, b.bottom - 1}, kSelection);
        Fill(dc, RECT{b.left + 1, b.top + 1, b.left + 1 + w, b.bottom - 1}, kSelection);
        Fill(dc, RECT{b.right - 1 - w, b.top + 1, b.right - 1, b.bottom - 1}, kSelection);
      }
    }
  }
}

void CMonthGridButton::Paint(HDC dc, const RECT& rect) {
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  int year, month, day;
  LocalToday(year, month, day);
  model_.ComputeLayout(Rect{0, 0, width, height}, year, month, day);

  win::OwnedDc mem = win::OwnedDc::Compatible(dc);
  win::Bitmap bitmap(CreateCompatibleBitmap(dc, width, height));
  if (!mem || !bitmap) return;
  win::Select useBitmap(mem, bitmap);
  Fill(mem, RECT{0, 0, width, height}, palette::kPaper);
  HFONT font = hwnd_ ? reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)) : nullptr;
  PaintMonthModel(mem, model_, font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), Dpi(),
                  selected_);
  BitBlt(dc, rect.left, rect.top, width, height, mem, 0, 0, SRCCOPY);
}

bool CMonthGridButton::OnReflectedDrawItem(const DRAWITEMSTRUCT& item) {
  // Focus changes need no repaint: the grid shows no focus.
  if (item.itemAction == ODA_FOCUS) return true;
  Paint(item.hDC, ClientRect());
  return true;
}

void CMonthGridButton::Select(int day) {
  if (day == selected_) return;
  const int shown = ShownDay();
  selected_ = day;
  if (hwnd_) Invalidate(false);
  if (ShownDay() != shown && shownDayChanged_) shownDayChanged_();
}

void CMonthGridButton::SetHovered(int day) {
  if (day == hovered_) return;
  const int shown = ShownDay();
  hovered_ = day;
  if (ShownDay() != shown && shownDayChanged_) shownDayChanged_();
}

void CMonthGridButton::OnMouseMove(UINT flags, POINT pt) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
  SetHovered(model_.DayAt(pt.x, pt.y));
  Default();
}

void CMonthGridButton::OnLButtonDown(UINT flags, POINT pt) {
  if (int day = model_.DayAt(pt.x, pt.y)) Select(day);
  Default();
}

LRESULT CMonthGridButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_MOUSELEAVE) {
    trackingLeave_ = false;
    SetHovered(0);
  }
  return Window::WindowProc(msg, wp, lp);
}
