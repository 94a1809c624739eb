#include "calendar/MonthModel.h"

#include <algorithm>

#include "common/CivilDate.h"
#include "common/Text.h"

namespace {

const char* const kWeekdayNames[8] = {"",       "星期日", "星期一", "星期二",
                                      "星期三", "星期四", "星期五", "星期六"};

// Layout offsets from the top of the client area.
constexpr int kTitleTextHeight = 22;
constexpr int kTitleBottom = 45;
constexpr int kBandTop = 22;
constexpr int kBandBottom = 46;
constexpr int kHeaderTop = 47;
constexpr int kHeaderBottom = 92;
constexpr int kGridTop = 94;
constexpr int kDayTextGap = 2;
constexpr int kDayTextHeight = 16;
// The 休/班 mark: a 14-pixel character in the upper right corner, inside
// the cell's frame.
constexpr int kMarkInset = 3;
constexpr int kMarkSize = 16;

}  // namespace

CMonthModel::CMonthModel() { FillMonth(); }

void CMonthModel::SetDate(int year, int month) {
  shownYear_ = std::clamp(year, kFirstYear, kLastYear);
  shownMonth_ = std::clamp(month, 1, 12);
}

void CMonthModel::StepYear(int delta) { SetDate(shownYear_ + delta, shownMonth_); }

void CMonthModel::StepMonth(int delta) { SetDate(shownYear_, shownMonth_ + delta); }

void CMonthModel::ComputeLayout(const Rect& r, int todayYear, int todayMonth, int todayDay) {
  title_ = {r.left, r.top, r.right, r.top + kTitleBottom};
  band_ = {r.left, r.top + kBandTop, r.right, r.top + kBandBottom};
  header_ = {r.left, r.top + kHeaderTop, r.right, r.top + kHeaderBottom};
  grid_ = {r.left, r.top + kGridTop, r.right, r.bottom};
  cellHeight_ = (r.bottom - (r.top + kGridTop)) / kRows;
  cellWidth_ = (r.right - r.left) / kColumns;

  todayYear_ = todayYear;
  todayMonth_ = todayMonth;
  todayDay_ = todayDay;
  todayWeekday_ = civil::Weekday(todayYear, todayMonth, todayDay);
  std::string dayText;
  int isTerm = 0;
  todayHasLunar_ = lunar_.Convert(todayYear, todayMonth, todayDay, todayLunarYear_,
                                  todayLunarMonth_, todayLunarDay_, todayCyclic_, todayAnimal_,
                                  dayText, isTerm) == 0;
  FillMonth();
}

void CMonthModel::FillMonth() {
  cells_.fill(Cell{});
  int first = civil::Weekday(shownYear_, shownMonth_, 1) - 1;
  int days = DaysInMonth(shownYear_, shownMonth_);
  for (int day = 1; day <= days; ++day) {
    Cell& cell = cells_[first + day - 1];
    cell.day = day;
    cell.holdsDay = true;
    int ly, lm, ld, isTerm = 0;
    std::string cyclic, animal;
    lunar_.Convert(shownYear_, shownMonth_, day, ly, lm, ld, cyclic, animal, cell.dayText, isTerm);
    cell.solarTerm = isTerm != 0;
    if (HolidaysShown())
      if (const CHolidayCalendar::Day* h = holidays_->Find(shownYear_, shownMonth_, day)) {
        cell.holiday = !h->makeUpWorkday;
        cell.makeUpWorkday = h->makeUpWorkday;
      }
  }
}

void CMonthModel::SetHolidays(const CHolidayCalendar* holidays, bool shown) {
  holidays_ = holidays;
  holidaysShown_ = shown;
  FillMonth();
}

int CMonthModel::DaysInMonth(int year, int month) { return civil::DaysInMonth(year, month); }

Rect CMonthModel::TitleTextArea() const {
  return {title_.left, title_.top, title_.right, title_.top + kTitleTextHeight};
}

Rect CMonthModel::HeaderCellRect(int column) const {
  int left = header_.left + column * cellWidth_;
  return {left, header_.top, left + cellWidth_ - 1, header_.bottom};
}

Rect CMonthModel::CellRect(int row, int column) const {
  int left = grid_.left + column * cellWidth_;
  int top = grid_.top + row * cellHeight_;
  return {left, top, left + cellWidth_ - 1, top + cellHeight_ - 1};
}

Rect CMonthModel::DayNumberRect(int row, int column) const {
  Rect cell = CellRect(row, column);
  return {cell.left, cell.top, cell.right, cell.top + cellHeight_ / 2};
}

Rect CMonthModel::DayTextRect(int row, int column) const {
  Rect cell = CellRect(row, column);
  int top = cell.top + cellHeight_ / 2 + kDayTextGap;
  return {cell.left, top, cell.right, top + kDayTextHeight};
}

Rect CMonthModel::MarkRect(int row, int column) const {
  Rect cell = CellRect(row, column);
  int right = cell.right - kMarkInset;
  int top = cell.top + kMarkInset;
  return {right - kMarkSize, top, right, top + kMarkSize};
}

int CMonthModel::DayAt(int x, int y) const {
  if (cellWidth_ <= 0 || cellHeight_ <= 0 || x < grid_.left || y < grid_.top) return 0;
  int column = (x - grid_.left) / cellWidth_, row = (y - grid_.top) / cellHeight_;
  if (column >= kColumns || row >= kRows) return 0;
  const Cell& cell = CellAt(row, column);
  return cell.holdsDay ? cell.day : 0;
}

bool CMonthModel::CellOfDay(int day, int& row, int& column) const {
  for (int i = 0; i < kRows * kColumns; ++i)
    if (cells_[i].holdsDay && cells_[i].day == day) {
      row = i / kColumns;
      column = i % kColumns;
      return true;
    }
  return false;
}

bool CMonthModel::DayNumberIsRed(int row, int column) const {
  const Cell& cell = CellAt(row, column);
  return cell.holiday || (IsWeekendColumn(column) && !cell.makeUpWorkday);
}

const char* CMonthModel::HolidayMark(const Cell& cell) {
  if (cell.holiday) return CHolidayCalendar::kOffMark;
  if (cell.makeUpWorkday) return CHolidayCalendar::kWorkMark;
  return "";
}

std::string CMonthModel::DetailText(int day) const {
  if (!civil::IsValidDate(shownYear_, shownMonth_, day)) return std::string();
  std::string out = text::Format("%04d年%02d月%02d日 %s", shownYear_, shownMonth_, day,
                                 WeekdayName(civil::Weekday(shownYear_, shownMonth_, day)));
  CLunarCalendar::Date lunar;
  if (lunar_.ToLunar(civil::DaysFromCivil(shownYear_, shownMonth_, day), lunar)) {
    std::string cyclic;
    lunar_.CyclicYearName(lunar.year - 1864, cyclic);
    out += text::Format("  农历%s年%s%s%s", cyclic.c_str(), lunar.leapMonth ? "闰" : "",
                        CLunarCalendar::LunarMonthName(lunar.month), CLunarCalendar::LunarDayName(lunar.day));
  }
  for (int n = 2 * shownMonth_ - 2; n <= 2 * shownMonth_ - 1; ++n)
    if (lunar_.SolarTermDay(shownYear_, n) == day) out += std::string("  ") + CLunarCalendar::SolarTermName(n);
  if (HolidaysShown()) {
    if (const CHolidayCalendar::Day* h = holidays_->Find(shownYear_, shownMonth_, day)) {
      out += "  " + h->name + " " + (h->makeUpWorkday ? CHolidayCalendar::kWorkMark : CHolidayCalendar::kOffMark);
    } else if (holidays_->IsPastData(shownYear_, shownMonth_, day)) {
      int y, m, d;
      if (holidays_->ValidThrough(y, m, d)) out += text::Format("  节假日数据截至 %d 年", y);
    }
  }
  return out;
}

std::string CMonthModel::TitleText() const {
  std::string title = text::Format("今天是国历: %04d年%02d月%02d日 %s", todayYear_, todayMonth_,
                                   todayDay_, WeekdayName(todayWeekday_));
  if (todayHasLunar_) {
    // Always the month and day names here, never a solar term.
    title += text::Format(" 农历: %s年%s%s (%s年)", todayCyclic_.c_str(),
                          CLunarCalendar::LunarMonthName(todayLunarMonth_),
                          CLunarCalendar::LunarDayName(todayLunarDay_), todayAnimal_.c_str());
  }
  return title;
}

std::string CMonthModel::BandText() const {
  return text::Format("%04d年%02d月日历", shownYear_, shownMonth_);
}

const char* CMonthModel::WeekdayName(int weekday) {
  return weekday >= 1 && weekday <= 7 ? kWeekdayNames[weekday] : "";
}

bool CMonthModel::IsWeekendColumn(int column) { return column == 0 || column == kColumns - 1; }

std::string CMonthModel::DayNumberText(int row, int column) const {
  const Cell& cell = CellAt(row, column);
  return cell.holdsDay ? text::Format("%d", cell.day) : std::string();
}

std::string CMonthModel::YearListEntry(int year) { return text::Format("%d年", year); }

std::string CMonthModel::MonthListEntry(int month) { return text::Format("%d月", month); }
