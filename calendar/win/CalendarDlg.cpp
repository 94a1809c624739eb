#include "calendar/win/CalendarDlg.h"

#include <algorithm>

#include "plans/win/PlanManagerDlg.h"
#include "resources/app_ids.h"
#include "resources/planner_ids.h"
#include "win/Controls.h"
#include "win/Dpi.h"

namespace {

constexpr COLORREF kBackground = RGB(250, 255, 243);
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 460;
constexpr int kYearCount = CMonthModel::kLastYear - CMonthModel::kFirstYear + 1;

// The control row at the top of the client area.
struct Place {
  int id, x, width, height;
};
constexpr int kRowY = 5;
constexpr Place kRow[] = {
    {IDC_CAL_YEAR_BACK, 5, 20, 20},     {IDC_CAL_YEAR_LIST, 30, 80, 500},
    {IDC_CAL_YEAR_FORWARD, 115, 20, 20}, {IDC_CAL_MONTH_BACK, 140, 20, 20},
    {IDC_CAL_MONTH_LIST, 165, 80, 500},  {IDC_CAL_MONTH_FORWARD, 250, 20, 20},
    {IDC_CAL_PLANS, 275, 70, 20},
};
constexpr int kGridX = 5;
constexpr int kGridY = 30;
// The smallest client area that keeps the layout whole: the control row and
// the longest title line fit across, and every cell keeps room for its day
// number above its day text.
constexpr int kMinClientWidth = 400;
constexpr int kMinClientHeight = 380;

}  // namespace

CCalendarDlg::CCalendarDlg() : Dialog(IDD_CALENDAR) {}

LRESULT CCalendarDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_GETMINMAXINFO) {
    LRESULT r = Default();
    RECT frame{0, 0, win::Scale(hwnd_, kMinClientWidth), win::Scale(hwnd_, kMinClientHeight)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)));
    auto* info = reinterpret_cast<MINMAXINFO*>(lp);
    info->ptMinTrackSize = POINT{frame.right - frame.left, frame.bottom - frame.top};
    return r;
  }
  return Dialog::WindowProc(msg, wp, lp);
}

BOOL CCalendarDlg::OnInitDialog() {
  SetIcons(IDR_MAINFRAME);
  SetWindowPos(hwnd_, nullptr, 0, 0, kWindowWidth, kWindowHeight, SWP_NOMOVE | SWP_NOZORDER);
  CenterOnDesktop();

  grid_.Attach(hwnd_, IDC_CAL_GRID);
  yearBack_.Attach(hwnd_, IDC_CAL_YEAR_BACK);
  yearForward_.Attach(hwnd_, IDC_CAL_YEAR_FORWARD);
  monthBack_.Attach(hwnd_, IDC_CAL_MONTH_BACK);
  monthForward_.Attach(hwnd_, IDC_CAL_MONTH_FORWARD);
  plans_.Attach(hwnd_, IDC_CAL_PLANS);

  win::ComboBox years(hwnd_, IDC_CAL_YEAR_LIST), months(hwnd_, IDC_CAL_MONTH_LIST);
  for (int y = CMonthModel::kFirstYear; y <= CMonthModel::kLastYear; ++y) years.AddString(CMonthModel::YearListEntry(y));
  for (int m = 1; m <= 12; ++m) months.AddString(CMonthModel::MonthListEntry(m));

  background_.reset(CreateSolidBrush(kBackground));

  // Today's month; a clock outside the offered years starts at the nearest one.
  int year, month, day;
  LocalToday(year, month, day);
  grid_.model().SetDate(year, month);
  ShowMonth(grid_.model().ShownYear() - CMonthModel::kFirstYear, grid_.model().ShownMonth() - 1);
  LayOut();
  return TRUE;
}

void CCalendarDlg::ShowMonth(int yearIndex, int monthIndex) {
  win::ComboBox(hwnd_, IDC_CAL_YEAR_LIST).SetCurSel(yearIndex);
  win::ComboBox(hwnd_, IDC_CAL_MONTH_LIST).SetCurSel(monthIndex);
  grid_.model().SetDate(yearIndex + CMonthModel::kFirstYear, monthIndex + 1);
  if (grid_) grid_.Invalidate(false);
}

void CCalendarDlg::Navigate(int yearDelta, int monthDelta) {
  int yearIndex = win::ComboBox(hwnd_, IDC_CAL_YEAR_LIST).CurSel();
  int monthIndex = win::ComboBox(hwnd_, IDC_CAL_MONTH_LIST).CurSel();
  if (yearIndex < 0) yearIndex = grid_.model().ShownYear() - CMonthModel::kFirstYear;
  if (monthIndex < 0) monthIndex = grid_.model().ShownMonth() - 1;
  ShowMonth(std::clamp(yearIndex + yearDelta, 0, kYearCount - 1), std::clamp(monthIndex + monthDelta, 0, 11));
}

bool CCalendarDlg::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_CAL_YEAR_BACK:
      if (code == BN_CLICKED) Navigate(-1, 0);
      return true;
    case IDC_CAL_YEAR_FORWARD:
      if (code == BN_CLICKED) Navigate(1, 0);
      return true;
    case IDC_CAL_MONTH_BACK:
      if (code == BN_CLICKED) Navigate(0, -1);
      return true;
    case IDC_CAL_MONTH_FORWARD:
      if (code == BN_CLICKED) Navigate(0, 1);
      return true;
    case IDC_CAL_YEAR_LIST:
    case IDC_CAL_MONTH_LIST:
      if (code == CBN_SELCHANGE) Navigate(0, 0);
      return true;
    case IDC_CAL_PLANS:
      if (code == BN_CLICKED) ShowPlanManager(hwnd_);
      return true;
    case IDC_CAL_GRID:
      if (code == BN_DOUBLECLICKED) ShowPlanManager(hwnd_);
      return true;
  }
  return Dialog::OnCommand(id, code, control);
}

void CCalendarDlg::LayOut() {
  if (!Item(IDC_CAL_MONTH_LIST)) return;
  for (const Place& p : kRow) win::Control(hwnd_, p.id).Move(p.x, kRowY, p.width, p.height);
  RECT client = ClientRect();
  win::Control(grid_.hwnd()).Move(kGridX, kGridY, client.right - 10, client.bottom - 35);
  grid_.Invalidate(false);
}

void CCalendarDlg::OnSize(UINT type, int cx, int cy) {
  Default();
  LayOut();
}

HBRUSH CCalendarDlg::OnCtlColor(HDC dc, HWND control, int type) {
  return type == CTLCOLOR_DLG ? background_.get() : nullptr;
}

void ShowCalendar(HWND owner) {
  CCalendarDlg dlg;
  dlg.DoModal(owner);
}
