#include "calendar/LunarCalendar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/CivilDate.h"

namespace {

// The facts live in calendar/data beside this file.
std::string DataPath(const char* name) {
  std::string here = __FILE__;
  return here.substr(0, here.find_last_of("/\\") + 1) + "data/" + name;
}

std::vector<std::vector<std::string>> ReadTsv(const char* name) {
  std::ifstream in(DataPath(name));
  EXPECT_TRUE(in.good()) << DataPath(name);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::istringstream fs(line);
    std::string f;
    while (std::getline(fs, f, '\t')) fields.push_back(f);
    rows.push_back(fields);
  }
  return rows;
}

struct Ymd {
  int y, m, d;
};
Ymd ParseDate(const std::string& s) {
  Ymd r{};
  std::sscanf(s.c_str(), "%d-%d-%d", &r.y, &r.m, &r.d);
  return r;
}
Ymd AddDays(Ymd date, int n) {
  Ymd r{};
  civil::CivilFromDays(civil::DaysFromCivil(date.y, date.m, date.d) + n, r.y, r.m, r.d);
  return r;
}

struct Lunar {
  int result, year, month, day, term;
  std::string cyclic, animal, text;
};
Lunar Convert(int y, int m, int d) {
  CLunarCalendar cal;
  Lunar r{};
  r.result = cal.Convert(y, m, d, r.year, r.month, r.day, r.cyclic, r.animal, r.text, r.term);
  return r;
}
Lunar Convert(Ymd date) { return Convert(date.y, date.m, date.d); }

const CLunarCalendar kCal;

TEST(LunarCalendar, EveryNewYearIsMonthOneDayOneAndFollowsTwelfthMonth) {
  auto rows = ReadTsv("new_years.tsv");
  ASSERT_EQ(rows.size(), 150u);
  for (const auto& row : rows) {
    int year = std::stoi(row[0]);
    Ymd first = ParseDate(row[1]);
    Lunar l = Convert(first);
    EXPECT_EQ(l.result, 0);
    EXPECT_EQ(l.year, year) << row[1];
    EXPECT_EQ(l.month, 1) << row[1];
    EXPECT_EQ(l.day, 1) << row[1];
    if (year == 1900) continue;
    Lunar eve = Convert(AddDays(first, -1));
    EXPECT_EQ(eve.year, year - 1) << row[1];
    EXPECT_EQ(eve.month, 12) << row[1];
    int lastLength = kCal.LeapMonth(year - 1) == 12 ? kCal.LeapMonthDays(year - 1)
                                                     : kCal.MonthDays(year - 1, 12);
    EXPECT_EQ(eve.day, lastLength) << row[1];
  }
}

TEST(LunarCalendar, EveryLeapMonthStartsAndEndsOnItsDay) {
  auto rows = ReadTsv("leap_months.tsv");
  ASSERT_EQ(rows.size(), 55u);
  std::map<int, int> leapOf;
  for (const auto& row : rows) {
    int year = std::stoi(row[0]), month = std::stoi(row[1]), length = std::stoi(row[4]);
    leapOf[year] = month;
    EXPECT_EQ(kCal.LeapMonth(year), month) << year;
    EXPECT_EQ(kCal.LeapMonthDays(year), length) << year;

    Ymd first = ParseDate(row[2]), last = ParseDate(row[3]);
    Lunar l = Convert(first);
    EXPECT_EQ(l.year, year) << row[2];
    EXPECT_EQ(l.month, month) << row[2];
    EXPECT_EQ(l.day, 1) << row[2];
    l = Convert(last);
    EXPECT_EQ(l.year, year) << row[3];
    EXPECT_EQ(l.month, month) << row[3];
    EXPECT_EQ(l.day, length) << row[3];

    // The ordinary month of the same number ends the day before.
    l = Convert(AddDays(first, -1));
    EXPECT_EQ(l.month, month) << row[2];
    EXPECT_EQ(l.day, kCal.MonthDays(year, month)) << row[2];
    l = Convert(AddDays(last, 1));
    EXPECT_EQ(l.month, month == 12 ? 1 : month + 1) << row[3];
    EXPECT_EQ(l.day, 1) << row[3];
  }
  for (int year = 1900; year <= 2049; ++year)
    if (!leapOf.count(year)) {
      EXPECT_EQ(kCal.LeapMonth(year), 0) << year;
    }
}

TEST(LunarCalendar, EveryDayOfTheTableFollowsTheDayBeforeAndComesBackFromItsLunarDate) {
  Ymd date{1900, 1, 31};
  Lunar prev = Convert(date);
  int monthsInYear = 1;
  bool prevLeap = false;
  for (;;) {
    date = AddDays(date, 1);
    Lunar l = Convert(date);
    const int64_t day = civil::DaysFromCivil(date.y, date.m, date.d);
    CLunarCalendar::Date lunar;
    if (l.result != 0) {
      EXPECT_FALSE(kCal.ToLunar(day, lunar));
      break;
    }
    ASSERT_TRUE(kCal.ToLunar(day, lunar));
    ASSERT_EQ(lunar.year, l.year);
    ASSERT_EQ(lunar.month, l.month);
    ASSERT_EQ(lunar.day, l.day);
    // The leap month is the second month of its number in the year.
    const bool leap = l.day == 1 ? (l.month == prev.month && l.year == prev.year) : prevLeap;
    ASSERT_EQ(lunar.leapMonth, leap) << date.y << "-" << date.m << "-" << date.d;
    int64_t back = 0;
    ASSERT_TRUE(kCal.ToDays(lunar, back));
    ASSERT_EQ(back, day);
    prevLeap = leap;
    if (l.day != 1) {
      ASSERT_EQ(l.day, prev.day + 1) << date.y << "-" << date.m << "-" << date.d;
      ASSERT_EQ(l.month, prev.month);
    } else if (l.year != prev.year) {
      ASSERT_EQ(monthsInYear, kCal.LeapMonth(prev.year) ? 13 : 12) << prev.year;
      ASSERT_EQ(l.year, prev.year + 1);
      ASSERT_EQ(l.month, 1);
      monthsInYear = 1;
    } else {
      ++monthsInYear;
      // Only the leap month repeats a month number.
      if (l.month == prev.month) ASSERT_EQ(kCal.LeapMonth(l.year), l.month) << l.year;
      else ASSERT_EQ(l.month, prev.month + 1);
    }
    prev = l;
  }
  EXPECT_EQ(date.y, 2050);
  EXPECT_EQ(date.m, 1);
  EXPECT_EQ(date.d, 23);
}

TEST(LunarCalendar, EverySolarTermDayMatchesTheTrueDay) {
  auto rows = ReadTsv("solar_terms.tsv");
  ASSERT_EQ(rows.size(), 149u);
  int meanMisses = 0;
  for (const auto& row : rows) {
    int year = std::stoi(row[0]);
    for (int n = 0; n < 24; ++n) {
      int day = std::stoi(row[n + 1]);
      ASSERT_EQ(kCal.SolarTermDay(year, n), day) << year << " term " << n;
      Lunar l = Convert(year, n / 2 + 1, day);
      EXPECT_EQ(l.text, CLunarCalendar::SolarTermName(n)) << year << " term " << n;
      EXPECT_EQ(l.term, 1);
      if (CLunarCalendar::MeanSolarTermDay(year, n) != day) ++meanMisses;
    }
  }
  // The mean-year formula is one day off on 115 of these days.
  EXPECT_EQ(meanMisses, 115);
}

TEST(LunarCalendar, MeanFormulaGivesItsPublishedDaysAndServesOtherYears) {
  const int mean2012[24] = {6, 20, 4, 19, 5, 20, 4, 20, 5, 21, 5, 21,
                            7, 22, 7, 23, 7, 22, 8, 23, 7, 22, 6, 21};
  for (int n = 0; n < 24; ++n) EXPECT_EQ(CLunarCalendar::MeanSolarTermDay(2012, n), mean2012[n]);
  EXPECT_EQ(CLunarCalendar::MeanSolarTermDay(1900, 0), 6);
  for (int n = 0; n < 24; ++n) {
    EXPECT_EQ(kCal.SolarTermDay(1900, n), CLunarCalendar::MeanSolarTermDay(1900, n));
    EXPECT_EQ(kCal.SolarTermDay(2050, n), CLunarCalendar::MeanSolarTermDay(2050, n));
  }
}

TEST(LunarCalendar, KnownDatesAndTextPrecedence) {
  // What a date converts to; -1 and nullptr: not looked at.
  const struct {
    int y, m, d;
    int result, year, month, day;
    const char *cyclic, *animal, *text;
    int term;
  } kCases[] = {
      {1900, 1, 31, 0, 1900, 1, 1, "庚子", "鼠", "正月", -1},
      {2012, 1, 22, -1, 2011, 12, 29, "辛卯", "兔", "廿九", -1},
      {2012, 1, 23, -1, 2012, -1, -1, "壬辰", "龙", "正月", 0},
      {2012, 4, 21, -1, -1, 4, 1, nullptr, nullptr, "四月", -1},
      // Leap fourth month: named like the ordinary fourth month, no prefix.
      {2012, 5, 28, -1, -1, 4, 8, nullptr, nullptr, "初八", -1},
      {2012, 5, 21, -1, -1, 4, 1, nullptr, nullptr, "四月", 0},
      // 小满 2012 is on 20 May and wins over the day name.
      {2012, 5, 20, -1, -1, -1, -1, nullptr, nullptr, "小满", 1},
      {2012, 6, 19, -1, -1, 5, 1, nullptr, nullptr, "五月", -1},
      {2012, 2, 4, -1, -1, -1, -1, nullptr, nullptr, "立春", -1},
      {2012, 12, 21, -1, -1, -1, -1, nullptr, nullptr, "冬至", -1},
      {2050, 1, 22, 0, 2049, 12, 29, "己巳", "蛇", nullptr, -1},
  };
  for (const auto& c : kCases) {
    Lunar l = Convert(c.y, c.m, c.d);
    SCOPED_TRACE(std::to_string(c.y) + "-" + std::to_string(c.m) + "-" + std::to_string(c.d));
    for (auto [got, want] : {std::pair{l.result, c.result}, {l.year, c.year}, {l.month, c.month}, {l.day, c.day},
                             {l.term, c.term}}) {
      if (want != -1) {
        EXPECT_EQ(got, want);
      }
    }
    for (auto [got, want] : {std::pair<const std::string&, const char*>{l.cyclic, c.cyclic}, {l.animal, c.animal},
                             {l.text, c.text}}) {
      if (want) {
        EXPECT_EQ(got, want);
      }
    }
  }
}

TEST(LunarCalendar, LunarDatesThatDoNotExistHaveNoDay) {
  int64_t day = 0;
  const CLunarCalendar::Date missing[] = {
      {2012, 5, 1, true},    // 2012 leaps the fourth month, not the fifth
      {2012, 4, 30, true},   // its leap month has 29 days
      {2013, 4, 1, true},    // 2013 has no leap month
      {2012, 2, 30, false},  // the second month of 2012 is short
      {2012, 13, 1, false}, {2012, 0, 1, false}, {2012, 1, 0, false},
      {1899, 1, 1, false},   {2050, 1, 1, false},
  };
  for (const auto& d : missing) {
    EXPECT_FALSE(kCal.ToDays(d, day)) << d.year << "-" << d.month << "-" << d.day << (d.leapMonth ? " leap" : "");
  }
  ASSERT_TRUE(kCal.ToDays({2012, 4, 29, true}, day));
  EXPECT_EQ(day, civil::DaysFromCivil(2012, 6, 18));
  ASSERT_TRUE(kCal.ToDays({2049, 12, 29, false}, day));
  EXPECT_EQ(day, civil::DaysFromCivil(2050, 1, 22));
}

TEST(LunarCalendar, DatesOutsideTheTableReportFailureWithoutLunarFields) {
  for (Ymd date : {Ymd{1900, 1, 30}, Ymd{2050, 1, 23}, Ymd{1899, 12, 31}, Ymd{2100, 2, 1}}) {
    Lunar l = Convert(date);
    EXPECT_EQ(l.result, 1);
    EXPECT_EQ(l.year, 0);
    EXPECT_EQ(l.month, 0);
    EXPECT_EQ(l.day, 0);
    EXPECT_EQ(l.cyclic, "");
  }
  Lunar term = Convert(1900, 1, kCal.SolarTermDay(1900, 0));
  EXPECT_EQ(term.result, 1);
  EXPECT_EQ(term.text, "小寒");
}

TEST(LunarCalendar, ImpossibleDatesAnswerOneWithEmptyResultsAndNoInputOverflows) {
  const Ymd impossible[] = {{2012, 2, 30},      {2013, 2, 29},     {2012, 4, 31},      {2012, 13, 1},
                            {2012, 0, 1},       {2012, 1, 0},      {2012, 1, -1},      {2012, INT_MAX, 1},
                            {2012, INT_MIN, 1}, {2012, 1, INT_MAX}, {2012, 12, INT_MIN}, {INT_MAX, INT_MAX, INT_MAX},
                            {INT_MIN, INT_MIN, INT_MIN}};
  for (const Ymd& date : impossible) {
    Lunar l = Convert(date);
    EXPECT_EQ(l.result, 1) << date.y << "-" << date.m << "-" << date.d;
    EXPECT_EQ(l.year + l.month + l.day + l.term, 0) << date.y << "-" << date.m << "-" << date.d;
    EXPECT_EQ(l.cyclic + l.animal + l.text, "") << date.y << "-" << date.m << "-" << date.d;
  }
  EXPECT_EQ(Convert(2012, 2, 29).result, 0);
  // Real dates of the farthest years lie outside the table, without overflow.
  for (Ymd date : {Ymd{INT_MAX, 12, 31}, Ymd{INT_MIN, 1, 1}}) {
    Lunar l = Convert(date);
    EXPECT_EQ(l.result, 1);
    EXPECT_EQ(l.cyclic, "");
  }
}

TEST(LunarCalendar, YearLengthsAndNames) {
  // 2012 (word 0BAA4): leap fourth month of 29 days; months 1, 3, 4, 5, 7,
  // 9 and 11 are long (fourth month 2012-04-21 to 05-20).
  EXPECT_EQ(kCal.LeapMonth(2012), 4);
  EXPECT_EQ(kCal.LeapMonthDays(2012), 29);
  const int long2012[] = {1, 3, 4, 5, 7, 9, 11};
  int days = 0;
  for (int m = 1; m <= 12; ++m) {
    bool isLong = std::find(std::begin(long2012), std::end(long2012), m) != std::end(long2012);
    EXPECT_EQ(kCal.MonthDays(2012, m), isLong ? 30 : 29) << m;
    days += kCal.MonthDays(2012, m);
  }
  EXPECT_EQ(kCal.YearDays(2012), days + 29);
  EXPECT_EQ(kCal.LeapMonthDays(2013), 0);

  std::string name;
  kCal.CyclicYearName(2012 - 1864, name);
  EXPECT_EQ(name, "壬辰");
  kCal.CyclicYearName(0, name);
  EXPECT_EQ(name, "甲子");
  EXPECT_STREQ(CLunarCalendar::LunarMonthName(11), "十一月");
  EXPECT_STREQ(CLunarCalendar::LunarDayName(30), "三十");
}

}  // namespace
