#include "calendar/win/CalendarDlg.h"

#include <algorithm>

#include "common/win/ProgramFolder.h"
#include "common/win/SaveTexts.h"
#include "plans/win/PlanManagerDlg.h"
#include "resources/planner_ids.h"
#include "win/Controls.h"
#include "win/MessageBox.h"

namespace {

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
    {IDC_CAL_PLANS, 275, 70, 20},        {IDC_CAL_SHOW_HOLIDAYS, 355, 90, 20},
};
constexpr int kGridX = 5;
constexpr int kGridY = 30;
// The detail line under the grid.
constexpr int kDetailHeight = 20;
constexpr int kDetailGap = 2;
constexpr int kMargin = 5;
// The smallest client area that keeps the layout whole: the control row and
// the longest title line fit across, and every cell keeps room for its day
// number above its day text.
constexpr int kMinClientWidth = 450;
constexpr int kMinClientHeight = 380 + kDetailHeight + kDetailGap;

}  // namespace

CCalendarDlg::CCalendarDlg() : CToolboxDlg(IDD_CALENDAR) {}

BOOL CCalendarDlg::OnInitDialog() {
  SetMinClientSize(kMinClientWidth, kMinClientHeight);
  SetWindowPos(hwnd_, nullptr, 0, 0, Px(kWindowWidth), Px(kWindowHeight), SWP_NOMOVE | SWP_NOZORDER);
  InitLook();

  grid_.Attach(hwnd_, IDC_CAL_GRID);
  yearBack_.Attach(hwnd_, IDC_CAL_YEAR_BACK);
  yearForward_.Attach(hwnd_, IDC_CAL_YEAR_FORWARD);
  monthBack_.Attach(hwnd_, IDC_CAL_MONTH_BACK);
  monthForward_.Attach(hwnd_, IDC_CAL_MONTH_FORWARD);
  plans_.Attach(hwnd_, IDC_CAL_PLANS);

  // Read on every opening, so a file the update service replaced is seen.
  holidays_.Load(ProgramFolder() + kHolidayFilePath);
  LoadCalendarSettings(ProgramFolder() + kCalendarSettingsPath, settings_);
  win::Button(hwnd_, IDC_CAL_SHOW_HOLIDAYS).SetCheck(settings_.showHolidays);
  grid_.model().SetHolidays(&holidays_, settings_.showHolidays);
  grid_.OnShownDayChange([this] { ShowDetail(); });

  win::ComboBox years(hwnd_, IDC_CAL_YEAR_LIST), months(hwnd_, IDC_CAL_MONTH_LIST);
  for (int y = CMonthModel::kFirstYear; y <= CMonthModel::kLastYear; ++y) years.AddString(CMonthModel::YearListEntry(y));
  for (int m = 1; m <= 12; ++m) months.AddString(CMonthModel::MonthListEntry(m));

  // Today's month; a clock outside the offered years starts at the nearest one.
  int year, month, day;
  LocalToday(year, month, day);
  grid_.model().SetDate(year, month);
  ShowMonth(grid_.model().ShownYear() - CMonthModel::kFirstYear, grid_.model().ShownMonth() - 1);
  Layout();
  OnClick(IDC_CAL_YEAR_BACK, [this] { Navigate(-1, 0); });
  OnClick(IDC_CAL_YEAR_FORWARD, [this] { Navigate(1, 0); });
  OnClick(IDC_CAL_MONTH_BACK, [this] { Navigate(0, -1); });
  OnClick(IDC_CAL_MONTH_FORWARD, [this] { Navigate(0, 1); });
  OnClick(IDC_CAL_PLANS, [this] { ShowPlanManager(hwnd_); });
  OnClick(IDC_CAL_SHOW_HOLIDAYS, [this] { ToggleHolidays(); });
  return TRUE;
}

void CCalendarDlg::ShowDetail() { SetItemText(IDC_CAL_DETAIL, grid_.model().DetailText(grid_.ShownDay())); }

void CCalendarDlg::ToggleHolidays() {
  settings_.showHolidays = win::Button(hwnd_, IDC_CAL_SHOW_HOLIDAYS).Checked();
  grid_.model().SetHolidays(&holidays_, settings_.showHolidays);
  grid_.Invalidate(false);
  ShowDetail();
  if (!SaveCalendarSettings(ProgramFolder() + kCalendarSettingsPath, settings_)) win::ShowMessage(save_text::kFailed);
}

void CCalendarDlg::ShowMonth(int yearIndex, int monthIndex) {
  win::ComboBox(hwnd_, IDC_CAL_YEAR_LIST).SetCurSel(yearIndex);
  win::ComboBox(hwnd_, IDC_CAL_MONTH_LIST).SetCurSel(monthIndex);
  CMonthModel& model = grid_.model();
  model.SetDate(yearIndex + CMonthModel::kFirstYear, monthIndex + 1);
  model.FillMonth();
  // Today when the month holds it, else its first day.
  int year, month, day;
  LocalToday(year, month, day);
  grid_.Select(year == model.ShownYear() && month == model.ShownMonth() ? day : 1);
  if (grid_) grid_.Invalidate(false);
  ShowDetail();
}

void CCalendarDlg::Navigate(int yearDelta, int monthDelta) {
  int yearIndex = win::ComboBox(hwnd_, IDC_CAL_YEAR_LIST).CurSel();
  int monthIndex = win::ComboBox(hwnd_, IDC_CAL_MONTH_LIST).CurSel();
  if (yearIndex < 0) yearIndex = grid_.model().ShownYear() - CMonthModel::kFirstYear;
  if (monthIndex < 0) monthIndex = grid_.model().ShownMonth() - 1;
  ShowMonth(std::clamp(yearIndex + yearDelta, 0, kYearCount - 1), std::clamp(monthIndex + monthDelta, 0, 11));
}

bool CCalendarDlg::OnCommand(int id, int code, HWND control) {
  if ((id == IDC_CAL_YEAR_LIST || id == IDC_CAL_MONTH_LIST) && code == CBN_SELCHANGE) {
    Navigate(0, 0);
    return true;
  }
  if (id == IDC_CAL_GRID && code == BN_DOUBLECLICKED) {
    ShowPlanManager(hwnd_);
    return true;
  }
  return CToolboxDlg::OnCommand(id, code, control);
}

void CCalendarDlg::Layout() {
  if (!Item(IDC_CAL_MONTH_LIST)) return;
  for (const Place& p : kRow) PlaceItem(p.id, {p.x, kRowY, p.x + p.width, kRowY + p.height});
  RECT client = ClientRect();
  const int width = client.right - Px(2 * kMargin);
  const int detailTop = client.bottom - Px(kMargin + kDetailHeight);
  grid_.Move(Px(kGridX), Px(kGridY), width, detailTop - Px(kDetailGap) - Px(kGridY));
  win::Control(hwnd_, IDC_CAL_DETAIL).Move(Px(kMargin), detailTop, width, Px(kDetailHeight));
  grid_.Invalidate(false);
}

void ShowCalendar(HWND owner) {
  CCalendarDlg dlg;
  dlg.DoModal(owner);
}
