// The calendar window "日历-Tolvana": one Gregorian month with lunar day
// texts, solar terms and the 休/班 days of the holiday file, the detail line
// of the hovered or selected day, year and month lists with arrow buttons,
// the switch "显示节假日", and the way into the plan manager ("计划编辑" and
// a double click on the grid).
#pragma once
#include <windows.h>

#include "calendar/CalendarSettings.h"
#include "calendar/HolidayCalendar.h"
#include "calendar/win/MonthGridButton.h"
#include "common/win/SkinButton.h"
#include "common/win/ToolboxDlg.h"

class CCalendarDlg : public CToolboxDlg {
 public:
  CCalendarDlg();

  CMonthGridButton& grid() { return grid_; }

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void Layout() override;

 private:
  // Moves the shown month by the deltas, from the lists' selections, and
  // stops at the ends of the lists; the month does not wrap into the year.
  void Navigate(int yearDelta, int monthDelta);
  void ShowMonth(int yearIndex, int monthIndex);
  void ShowDetail();
  void ToggleHolidays();

  CHolidayCalendar holidays_;
  CalendarSettings settings_;
  CMonthGridButton grid_;
  CSkinButton yearBack_, yearForward_, monthBack_, monthForward_, plans_;
};

// Opens the calendar modally; owner null means the main window.
void ShowCalendar(HWND owner);
