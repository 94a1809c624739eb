// What the calendar window shows for one Gregorian month: the title line with
// today's Gregorian and lunar date, the band with the shown month, the
// weekday header and a grid of 6 x 7 day cells (Sunday first), each with its
// day number, lunar day text and, from the holiday file, its 休 or 班 mark;
// and the detail line of one day. The window paints from this model and only
// reads the clock to pass today's date in.
#pragma once
#include <array>
#include <string>

#include "calendar/HolidayCalendar.h"
#include "calendar/LunarCalendar.h"
#include "common/Rect.h"

class CMonthModel {
 public:
  struct Cell {
    int day = 0;            // Gregorian day; meaningful only when holdsDay
    bool holdsDay = false;
    std::string dayText;    // solar term, lunar month name or lunar day name
    bool solarTerm = false;
    // From the holiday file, while holidays are shown.
    bool holiday = false;        // 休
    bool makeUpWorkday = false;  // 班: drawn as a working day
  };

  static constexpr int kFirstYear = 1901;  // the years the window offers
  static constexpr int kLastYear = 2049;
  static constexpr int kRows = 6;
  static constexpr int kColumns = 7;

  CMonthModel();

  // The shown month; the year is kept within kFirstYear-kLastYear and the
  // month within 1-12, so a clock outside those years still shows a month.
  void SetDate(int year, int month);
  int ShownYear() const { return shownYear_; }
  int ShownMonth() const { return shownMonth_; }

  // Navigation buttons: one year or month back or forward, stopping at the
  // ends; the month does not wrap into the neighbouring year.
  void StepYear(int delta);
  void StepMonth(int delta);

  // Computes the areas for the client rectangle, takes today's date and its
  // lunar date, and fills the cells.
  void ComputeLayout(const Rect& client, int todayYear, int todayMonth, int todayDay);
  void FillMonth();

  static int DaysInMonth(int year, int month);

  // The holiday days to mark, or none; hidden holidays mark nothing and
  // leave the detail line without them. The calendar must outlive the model.
  void SetHolidays(const CHolidayCalendar* holidays, bool shown);
  bool HolidaysShown() const { return holidays_ && holidaysShown_; }

  const Cell& CellAt(int row, int column) const { return cells_[row * kColumns + column]; }

  Rect TitleTextArea() const;
  Rect BandArea() const { return band_; }
  Rect GridArea() const { return grid_; }
  int CellWidth() const { return cellWidth_; }
  int CellHeight() const { return cellHeight_; }
  // Header and grid cells end one pixel short of their neighbour
  // (right = left + cell width - 1), which leaves a gap line between them.
  Rect HeaderCellRect(int column) const;
  Rect CellRect(int row, int column) const;
  // Within a cell: the day number in the upper half, the day text in a
  // 16-pixel band below the middle.
  Rect DayNumberRect(int row, int column) const;
  Rect DayTextRect(int row, int column) const;
  // The 休 or 班 mark in the cell's upper right corner.
  Rect MarkRect(int row, int column) const;
  // The day under a point of the grid control's client area; 0 outside the
  // days of the month.
  int DayAt(int x, int y) const;
  // Where a day of the shown month stands; false for a day it does not have.
  bool CellOfDay(int day, int& row, int& column) const;

  // "今天是国历: 2012年05月28日 星期一 农历: 壬辰年四月初八 (龙年)"; without the
  // lunar part when today lies outside the lunar table.
  std::string TitleText() const;
  // "2012年05月日历"
  std::string BandText() const;
  static const char* WeekdayName(int weekday);  // 1 = Sunday ... 7 = Saturday
  static bool IsWeekendColumn(int column);      // Sunday and Saturday draw in colour
  std::string DayNumberText(int row, int column) const;
  // A day off (a weekend not worked, or a 休 day) has its number in red.
  bool DayNumberIsRed(int row, int column) const;
  static const char* HolidayMark(const Cell& cell);  // "休", "班" or ""

  // The detail line of a day of the shown month: "2026年10月01日 星期四
  // 农历丙午年八月廿一  国庆节 休", with the solar term when the day is one,
  // and "节假日数据截至 2026 年" for a day past the holiday data.
  std::string DetailText(int day) const;

  // Entries of the year and month lists; index = year - kFirstYear, month - 1.
  static std::string YearListEntry(int year);
  static std::string MonthListEntry(int month);

 private:
  CLunarCalendar lunar_;
  int shownYear_ = kFirstYear;
  int shownMonth_ = 1;

  int todayYear_ = 0, todayMonth_ = 0, todayDay_ = 0, todayWeekday_ = 0;
  bool todayHasLunar_ = false;
  int todayLunarYear_ = 0, todayLunarMonth_ = 0, todayLunarDay_ = 0;
  std::string todayCyclic_, todayAnimal_;

  const CHolidayCalendar* holidays_ = nullptr;
  bool holidaysShown_ = false;

  Rect title_, band_, header_, grid_;
  int cellWidth_ = 0, cellHeight_ = 0;
  std::array<Cell, kRows * kColumns> cells_;
};
