#include "calendar/MonthModel.h"

#include <gtest/gtest.h>

#include "common/Text.h"

namespace {

CMonthModel Shown(int year, int month) {
  CMonthModel model;
  model.SetDate(year, month);
  model.ComputeLayout({0, 0, 630, 400}, 2012, 5, 28);
  return model;
}

TEST(MonthModel, SaturdayFirstAndThirtyOneDaysUseAllSixRows) {
  CMonthModel m = Shown(2012, 9);  // 2012-09-01 was a Saturday; September has 30 days
  EXPECT_TRUE(m.CellAt(0, 6).holdsDay);
  EXPECT_EQ(m.CellAt(0, 6).day, 1);
  EXPECT_FALSE(m.CellAt(0, 5).holdsDay);
  EXPECT_EQ(m.CellAt(5, 0).day, 30);
  EXPECT_FALSE(m.CellAt(5, 1).holdsDay);

  m = Shown(2012, 12);  // Saturday first, 31 days
  EXPECT_EQ(m.CellAt(0, 6).day, 1);
  EXPECT_EQ(m.CellAt(5, 0).day, 30);
  EXPECT_EQ(m.CellAt(5, 1).day, 31);
  EXPECT_FALSE(m.CellAt(5, 2).holdsDay);
  EXPECT_EQ(m.DayNumberText(5, 1), "31");
  EXPECT_EQ(m.DayNumberText(5, 2), "");

  int held = 0;
  for (int r = 0; r < CMonthModel::kRows; ++r)
    for (int c = 0; c < CMonthModel::kColumns; ++c) held += m.CellAt(r, c).holdsDay;
  EXPECT_EQ(held, 31);
}

TEST(MonthModel, DaysInMonthFollowsTheLeapYearRule) {
  EXPECT_EQ(CMonthModel::DaysInMonth(2000, 2), 29);
  EXPECT_EQ(CMonthModel::DaysInMonth(1900, 2), 28);
  EXPECT_EQ(CMonthModel::DaysInMonth(2100, 2), 28);
  EXPECT_EQ(CMonthModel::DaysInMonth(2012, 2), 29);
  EXPECT_EQ(CMonthModel::DaysInMonth(2013, 2), 28);
  EXPECT_EQ(CMonthModel::DaysInMonth(2013, 4), 30);
  EXPECT_EQ(CMonthModel::DaysInMonth(2013, 12), 31);
  EXPECT_EQ(Shown(2000, 2).CellAt(4, 2).day, 29);  // 2000-02-01 was a Tuesday
}

TEST(MonthModel, CellsCarryLunarDayTextsAndSolarTermFlags) {
  CMonthModel jan = Shown(2012, 1);  // Sunday first
  const CMonthModel::Cell& newYear = jan.CellAt(3, 1);
  EXPECT_EQ(newYear.day, 23);
  EXPECT_EQ(newYear.dayText, "正月");
  EXPECT_FALSE(newYear.solarTerm);

  CMonthModel feb = Shown(2012, 2);  // Wednesday first
  const CMonthModel::Cell& spring = feb.CellAt(0, 6);
  EXPECT_EQ(spring.day, 4);
  EXPECT_EQ(spring.dayText, "立春");
  EXPECT_TRUE(spring.solarTerm);
}

TEST(MonthModel, NavigationStopsAtTheEndsWithoutWrapping) {
  CMonthModel m;
  m.SetDate(2012, 1);
  m.StepMonth(-1);
  EXPECT_EQ(m.ShownYear(), 2012);
  EXPECT_EQ(m.ShownMonth(), 1);
  m.SetDate(2012, 12);
  m.StepMonth(1);
  EXPECT_EQ(m.ShownMonth(), 12);
  m.SetDate(2049, 6);
  m.StepYear(1);
  EXPECT_EQ(m.ShownYear(), 2049);
  m.SetDate(1901, 6);
  m.StepYear(-1);
  EXPECT_EQ(m.ShownYear(), 1901);
  // A clock outside the offered years starts at the nearest one.
  m.SetDate(2060, 3);
  EXPECT_EQ(m.ShownYear(), 2049);
  m.SetDate(1899, 3);
  EXPECT_EQ(m.ShownYear(), 1901);
}

TEST(MonthModel, TitleAndBandTexts) {
  CMonthModel m = Shown(2012, 5);
  EXPECT_EQ(m.TitleText(), "今天是国历: 2012年05月28日 星期一 农历: 壬辰年四月初八 (龙年)");
  EXPECT_EQ(m.BandText(), "2012年05月日历");
  // On a solar term the title still names the lunar month and day.
  m.ComputeLayout({0, 0, 630, 400}, 2012, 2, 4);
  EXPECT_EQ(m.TitleText(), "今天是国历: 2012年02月04日 星期六 农历: 壬辰年正月十三 (龙年)");
  // Outside the lunar table only the Gregorian part remains.
  m.ComputeLayout({0, 0, 630, 400}, 2051, 1, 1);
  EXPECT_EQ(m.TitleText(), "今天是国历: 2051年01月01日 星期日");
  EXPECT_EQ(CMonthModel::YearListEntry(1901), "1901年");
  EXPECT_EQ(CMonthModel::MonthListEntry(12), "12月");
}

TEST(MonthModel, LayoutFollowsTheClientRectangle) {
  CMonthModel m;
  m.SetDate(2012, 5);
  m.ComputeLayout({10, 20, 640, 420}, 2012, 5, 28);
  EXPECT_EQ(m.CellWidth(), 90);
  EXPECT_EQ(m.CellHeight(), (420 - 114) / 6);  // 51
  EXPECT_EQ(m.BandArea().top, 42);
  EXPECT_EQ(m.BandArea().bottom, 66);
  EXPECT_EQ(m.TitleTextArea().bottom, 42);
  Rect header = m.HeaderCellRect(6);
  EXPECT_EQ(header.left, 10 + 6 * 90);
  EXPECT_EQ(header.right, 10 + 7 * 90 - 1);
  EXPECT_EQ(header.top, 67);
  EXPECT_EQ(header.bottom, 112);
  Rect cell = m.CellRect(5, 6);
  EXPECT_EQ(cell.left, 550);
  EXPECT_EQ(cell.top, 114 + 5 * 51);
  EXPECT_EQ(cell.right, 639);
  EXPECT_EQ(cell.bottom, 114 + 6 * 51 - 1);
  EXPECT_EQ(m.DayNumberRect(5, 6).bottom, cell.top + 25);
  EXPECT_EQ(m.DayTextRect(5, 6).top, cell.top + 27);
  EXPECT_EQ(m.DayTextRect(5, 6).bottom, cell.top + 43);
  EXPECT_TRUE(CMonthModel::IsWeekendColumn(0));
  EXPECT_TRUE(CMonthModel::IsWeekendColumn(6));
  EXPECT_FALSE(CMonthModel::IsWeekendColumn(3));
  EXPECT_STREQ(CMonthModel::WeekdayName(1), "星期日");
}

TEST(MonthModel, HolidaysMarkTheirCellsAndTheDetailLineNamesThem) {
  CHolidayCalendar holidays;
  ASSERT_EQ(holidays.Parse(text::ToGb("[VALID_THROUGH] 2026-12-31\n"
                                      "2026-09-20 班 国庆节\n"
                                      "2026-10-01 休 国庆节\n2026-10-02 休 国庆节\n2026-10-03 休 国庆节\n"
                                      "2026-10-04 休 国庆节\n2026-10-05 休 国庆节\n2026-10-06 休 国庆节\n"
                                      "2026-10-07 休 国庆节\n2026-10-10 班 国庆节\n")),
            CHolidayCalendar::kLoaded);
  CMonthModel m = Shown(2026, 10);  // Thursday first
  m.SetHolidays(&holidays, true);
  // 1-7 October: 休, numbers red on every weekday; the 10th, a Saturday, 班 in black.
  for (int day = 1; day <= 31; ++day) {
    int r, c;
    ASSERT_TRUE(m.CellOfDay(day, r, c));
    const CMonthModel::Cell& cell = m.CellAt(r, c);
    const bool off = day <= 7, worked = day == 10;
    EXPECT_EQ(cell.holiday, off) << day;
    EXPECT_EQ(cell.makeUpWorkday, worked) << day;
    EXPECT_STREQ(CMonthModel::HolidayMark(cell), off ? "休" : worked ? "班" : "") << day;
    EXPECT_EQ(m.DayNumberIsRed(r, c), off || (CMonthModel::IsWeekendColumn(c) && !worked)) << day;
  }
  EXPECT_EQ(m.DetailText(1), "2026年10月01日 星期四  农历丙午年八月廿一  国庆节 休");
  EXPECT_EQ(m.DetailText(10), "2026年10月10日 星期六  农历丙午年九月初一  国庆节 班");
  EXPECT_EQ(m.DetailText(8), "2026年10月08日 星期四  农历丙午年八月廿八  寒露");
  EXPECT_EQ(m.DetailText(32), "");

  // The mark stands in the upper right corner, clear of the day number's text.
  int r, c;
  ASSERT_TRUE(m.CellOfDay(1, r, c));
  Rect cell = m.CellRect(r, c), mark = m.MarkRect(r, c);
  EXPECT_GT(mark.left, cell.left + m.CellWidth() / 2);
  EXPECT_LE(mark.right, cell.right);
  EXPECT_GE(mark.top, cell.top);
  EXPECT_EQ(m.DayAt(cell.left + 1, cell.top + 1), 1);
  EXPECT_EQ(m.DayAt(cell.right, cell.bottom), 1);
  EXPECT_EQ(m.DayAt(m.CellRect(0, 0).left + 5, m.CellRect(0, 0).top + 5), 0) << "the cell before the 1st";
  EXPECT_EQ(m.DayAt(cell.left, m.GridArea().top - 1), 0) << "the header";

  // Past the data the line says how far it goes; hidden holidays say nothing.
  m.SetDate(2027, 10);
  m.FillMonth();
  EXPECT_EQ(m.DetailText(1), "2027年10月01日 星期五  农历丁未年九月初二  节假日数据截至 2026 年");
  m.SetDate(2026, 10);
  m.SetHolidays(&holidays, false);
  EXPECT_EQ(m.DetailText(1), "2026年10月01日 星期四  农历丙午年八月廿一");
  ASSERT_TRUE(m.CellOfDay(10, r, c));
  EXPECT_STREQ(CMonthModel::HolidayMark(m.CellAt(r, c)), "");
  EXPECT_TRUE(m.DayNumberIsRed(r, c));

  // A day of a leap month says so.
  m.SetDate(2012, 5);
  m.FillMonth();
  EXPECT_EQ(m.DetailText(28), "2012年05月28日 星期一  农历壬辰年闰四月初八");
}

}  // namespace
