#include "plans/RepeatRule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "calendar/LunarCalendar.h"
#include "common/CivilDate.h"

namespace {

const CHolidayCalendar kNoHolidays;

int64_t Days(int y, int m, int d) { return civil::DaysFromCivil(y, m, d); }
std::string DateText(int64_t days) {
  int y, m, d;
  civil::CivilFromDays(days, y, m, d);
  return std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d);
}

// The series of a rule from start on, as long as it runs up to limit.
std::vector<int64_t> Series(const RepeatRule& rule, int64_t start, int64_t limit,
                            const CHolidayCalendar& holidays = kNoHolidays) {
  std::vector<int64_t> days;
  for (int64_t from = start;;) {
    auto next = repeat::NextDay(rule, start, from, holidays);
    if (!next || *next > limit) break;
    days.push_back(*next);
    from = *next + 1;
  }
  return days;
}

RepeatRule LunarYearly(int month, int day, bool withLeap) {
  RepeatRule r;
  r.kind = RepeatKind::kLunarYearly;
  r.month = month;
  r.day = day;
  r.withLeapMonth = withLeap;
  return r;
}

// Every lunar month and day of every lunar year of the table, under both
// leap rules, against the days the lunar engine gives each Gregorian date:
// a month's first run of its number is the ordinary month, a second run in
// the same year its leap month, and a month without day 30 has its 29th.
TEST(RepeatRule, LunarYearlyComesOnItsDayInEveryYearUnderBothLeapRules) {
  const CLunarCalendar lunar;
  const int64_t first = Days(1900, 1, 31), last = Days(2050, 1, 22);
  // runs[year][month][0 ordinary, 1 leap] = {first day, length}
  struct Run {
    int64_t start = 0;
    int length = 0;  // 0: the year has no such month
  };
  std::vector<std::array<std::array<Run, 2>, 13>> runs(CLunarCalendar::kLastYear + 1 - CLunarCalendar::kFirstYear);
  int prevYear = 0, prevMonth = 0, leap = 0;
  for (int64_t d = first; d <= last; ++d) {
    int y, m, dd, ly, lm, ld, term;
    std::string cyclic, animal, text;
    civil::CivilFromDays(d, y, m, dd);
    ASSERT_EQ(lunar.Convert(y, m, dd, ly, lm, ld, cyclic, animal, text, term), 0);
    if (ld == 1) leap = (ly == prevYear && lm == prevMonth) ? 1 : 0;
    Run& run = runs[ly - CLunarCalendar::kFirstYear][lm][leap];
    if (ld == 1) run.start = d;
    run.length = ld;
    prevYear = ly;
    prevMonth = lm;
  }

  int checked = 0;
  for (bool withLeap : {false, true})
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= 30; ++day) {
        std::vector<int64_t> expected;
        for (const auto& year : runs)
          for (int l = 0; l <= (withLeap ? 1 : 0); ++l) {
            const Run& run = year[month][l];
            if (run.length > 0) expected.push_back(run.start + std::min(day, run.length) - 1);
          }
        const RepeatRule rule = LunarYearly(month, day, withLeap);
        SCOPED_TRACE(repeat::FormatRule(rule));
        ASSERT_EQ(Series(rule, first, last), expected);
        // From any day up to an occurrence, the next is that occurrence.
        for (size_t i = 0; i < expected.size(); i += 7) {
          const int64_t from = i == 0 ? first : expected[i - 1] + 1;
          for (int64_t f : {from, (from + expected[i]) / 2, expected[i]})
            ASSERT_EQ(repeat::NextDay(rule, first, f, kNoHolidays), expected[i]) << DateText(f);
        }
        checked += static_cast<int>(expected.size());
      }
  // Past the table there is no next time; before it, the first lunar year's.
  EXPECT_FALSE(repeat::NextDay(LunarYearly(1, 1, false), first, last + 1, kNoHolidays));
  EXPECT_EQ(repeat::NextDay(LunarYearly(1, 1, false), Days(1800, 1, 1), Days(1800, 1, 1), kNoHolidays), first);
  EXPECT_GT(checked, 2 * 12 * 30 * 149);
}

TEST(RepeatRule, LunarMonthlyComesInEveryMonthWithTheLeapMonthAndThe29thForThe30th) {
  const CLunarCalendar lunar;
  RepeatRule rule;
  rule.kind = RepeatKind::kLunarMonthly;
  for (int day : {1, 15, 29, 30}) {
    rule.day = day;
    const int64_t start = Days(2012, 1, 1), limit = Days(2014, 1, 1);
    std::vector<int64_t> got = Series(rule, start, limit);
    // Lunar 2011-12 to 2013-11: 2012 has a leap fourth month of 29 days.
    std::vector<int64_t> expected;
    for (int64_t d = start; d <= limit; ++d) {
      CLunarCalendar::Date l;
      ASSERT_TRUE(lunar.ToLunar(d, l));
      if (l.day == std::min(day, lunar.MonthDays(l.year, l.month, l.leapMonth))) expected.push_back(d);
    }
    EXPECT_EQ(got, expected) << day;
    EXPECT_GE(got.size(), 25u) << "every lunar month of two years and the leap month, day " << day;
  }
  // 2012's leap fourth month has 29 days: 三十 comes on its 29th, 2012-06-18.
  rule.day = 30;
  EXPECT_EQ(repeat::NextDay(rule, Days(2012, 6, 1), Days(2012, 6, 1), kNoHolidays), Days(2012, 6, 18));
}

TEST(RepeatRule, MonthlyAndYearlyKeepTheirDayAtMonthEndsAndInLeapYears) {
  auto monthly = [](int day) {
    RepeatRule r;
    r.kind = RepeatKind::kMonthly;
    r.day = day;
    return r;
  };
  auto yearly = [](int month, int day) {
    RepeatRule r;
    r.kind = RepeatKind::kYearly;
    r.month = month;
    r.day = day;
    return r;
  };
  const struct {
    RepeatRule rule;
    int64_t start;
    std::vector<int64_t> series;
  } kCases[] = {
      // Day 31: a month without it uses its last day, and the next month its 31st again.
      {monthly(31), Days(2024, 1, 31),
       {Days(2024, 1, 31), Days(2024, 2, 29), Days(2024, 3, 31), Days(2024, 4, 30), Days(2024, 5, 31)}},
      {monthly(30), Days(2025, 1, 15), {Days(2025, 1, 30), Days(2025, 2, 28), Days(2025, 3, 30)}},
      {monthly(29), Days(2027, 12, 30), {Days(2028, 1, 29), Days(2028, 2, 29), Days(2028, 3, 29)}},
      // A start after the month's day waits for the next month.
      {monthly(1), Days(2026, 10, 2), {Days(2026, 11, 1), Days(2026, 12, 1), Days(2027, 1, 1)}},
      // 29 February: 28 February in other years; 2100 is no leap year, 2000 is.
      {yearly(2, 29), Days(2024, 2, 29),
       {Days(2024, 2, 29), Days(2025, 2, 28), Days(2026, 2, 28), Days(2027, 2, 28), Days(2028, 2, 29)}},
      {yearly(2, 29), Days(2099, 3, 1), {Days(2100, 2, 28), Days(2101, 2, 28)}},
      {yearly(2, 29), Days(1999, 6, 1), {Days(2000, 2, 29), Days(2001, 2, 28)}},
      {yearly(12, 31), Days(2026, 12, 31), {Days(2026, 12, 31), Days(2027, 12, 31)}},
      {yearly(1, 1), Days(2026, 1, 2), {Days(2027, 1, 1), Days(2028, 1, 1)}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(repeat::FormatRule(c.rule) + " from " + DateText(c.start));
    EXPECT_EQ(Series(c.rule, c.start, c.series.back()), c.series);
  }
}

// The holiday file as it ships: resources/data beside this folder.
std::string ShippedHolidayFile() {
  std::string here = __FILE__;
  std::string folder = here.substr(0, here.find_last_of("/\\"));
  return folder.substr(0, folder.find_last_of("/\\") + 1) + "resources/data/holiday.dat";
}

// The working days of 2024-2026 as the State Council's notices give them:
// Monday to Friday outside the days off, and the weekend days worked.
TEST(RepeatRule, WorkdaysOf2024To2026AreTheOfficialCalendarDayByDay) {
  struct Span {
    int y, m1, d1, m2, d2;
  };
  const Span kOff[] = {
      {2024, 1, 1, 1, 1},   {2024, 2, 10, 2, 17}, {2024, 4, 4, 4, 6},   {2024, 5, 1, 5, 5},   {2024, 6, 10, 6, 10},
      {2024, 9, 15, 9, 17}, {2024, 10, 1, 10, 7}, {2025, 1, 1, 1, 1},   {2025, 1, 28, 2, 4},  {2025, 4, 4, 4, 6},
      {2025, 5, 1, 5, 5},   {2025, 5, 31, 6, 2},  {2025, 10, 1, 10, 8}, {2026, 1, 1, 1, 3},   {2026, 2, 15, 2, 23},
      {2026, 4, 4, 4, 6},   {2026, 5, 1, 5, 5},   {2026, 6, 19, 6, 21}, {2026, 9, 25, 9, 27}, {2026, 10, 1, 10, 7},
  };
  const Span kWorked[] = {
      {2024, 2, 4, 0, 0},   {2024, 2, 18, 0, 0}, {2024, 4, 7, 0, 0},  {2024, 4, 28, 0, 0}, {2024, 5, 11, 0, 0},
      {2024, 9, 14, 0, 0},  {2024, 9, 29, 0, 0}, {2024, 10, 12, 0, 0}, {2025, 1, 26, 0, 0}, {2025, 2, 8, 0, 0},
      {2025, 4, 27, 0, 0},  {2025, 9, 28, 0, 0}, {2025, 10, 11, 0, 0}, {2026, 1, 4, 0, 0},  {2026, 2, 14, 0, 0},
      {2026, 2, 28, 0, 0},  {2026, 5, 9, 0, 0},  {2026, 9, 20, 0, 0},  {2026, 10, 10, 0, 0},
  };
  const int64_t first = Days(2024, 1, 1), last = Days(2026, 12, 31);
  std::vector<int64_t> expected;
  for (int64_t d = first; d <= last; ++d) {
    int y, m, dd;
    civil::CivilFromDays(d, y, m, dd);
    const int weekday = civil::Weekday(y, m, dd);
    bool working = weekday != 1 && weekday != 7;
    for (const Span& s : kOff)
      if (d >= Days(s.y, s.m1, s.d1) && d <= Days(s.y, s.m2, s.d2)) working = false;
    for (const Span& s : kWorked)
      if (d == Days(s.y, s.m1, s.d1)) working = true;
    if (working) expected.push_back(d);
  }

  CHolidayCalendar holidays;
  ASSERT_EQ(holidays.Load(ShippedHolidayFile()), CHolidayCalendar::kLoaded) << ShippedHolidayFile();
  RepeatRule workdays;
  workdays.kind = RepeatKind::kWorkdays;
  std::vector<std::string> got, want;
  for (int64_t d : Series(workdays, first, last, holidays)) got.push_back(DateText(d));
  for (int64_t d : expected) want.push_back(DateText(d));
  EXPECT_EQ(got, want);

  // The plan's own minute: the first working day after the 国庆 holiday of 2026.
  const MinuteTime start{2024, 1, 2, 8, 45};
  EXPECT_EQ(repeat::NextTime(workdays, start, {2026, 9, 30, 8, 46}, holidays), (MinuteTime{2026, 10, 8, 8, 45}));
  EXPECT_EQ(repeat::NextTime(workdays, start, {2026, 10, 9, 9, 0}, holidays), (MinuteTime{2026, 10, 10, 8, 45}));
  // Without the holiday file, Monday to Friday.
  EXPECT_EQ(repeat::NextTime(workdays, start, {2026, 9, 30, 8, 46}, kNoHolidays), (MinuteTime{2026, 10, 1, 8, 45}));
}

TEST(RepeatRule, DailyWeeklyEndsTimesOfDayAndOneTimePlans) {
  RepeatRule weekly;
  weekly.kind = RepeatKind::kWeekly;
  weekly.weekdays = repeat::WeekdayBit(2) | repeat::WeekdayBit(4) | repeat::WeekdayBit(1);  // Mon, Wed, Sun
  // From Thursday 2026-10-01: Sunday 4th, Monday 5th, Wednesday 7th, Sunday 11th.
  EXPECT_EQ(Series(weekly, Days(2026, 10, 1), Days(2026, 10, 11)),
            (std::vector<int64_t>{Days(2026, 10, 4), Days(2026, 10, 5), Days(2026, 10, 7), Days(2026, 10, 11)}));
  // The last day is the end date itself.
  weekly.endYear = 2026, weekly.endMonth = 10, weekly.endDay = 7;
  EXPECT_EQ(Series(weekly, Days(2026, 10, 1), Days(2027, 1, 1)).size(), 3u);

  RepeatRule daily;
  daily.kind = RepeatKind::kDaily;
  const MinuteTime start{2026, 10, 1, 9, 30};
  const struct {
    MinuteTime from, next;
  } kTimes[] = {
      {{2026, 9, 1, 23, 59}, {2026, 10, 1, 9, 30}},   // before the start: the start
      {{2026, 10, 1, 9, 30}, {2026, 10, 1, 9, 30}},   // its minute is still due
      {{2026, 10, 1, 9, 31}, {2026, 10, 2, 9, 30}},   // a minute late: tomorrow's
      {{2026, 10, 5, 0, 0}, {2026, 10, 5, 9, 30}},
      {{2026, 12, 31, 10, 0}, {2027, 1, 1, 9, 30}},
  };
  for (const auto& t : kTimes) {
    auto next = repeat::NextTime(daily, start, t.from, kNoHolidays);
    ASSERT_TRUE(next) << FormatTimeText(t.from);
    EXPECT_EQ(*next, t.next) << FormatTimeText(t.from);
  }

  // A plan without a rule comes once, at its time.
  const RepeatRule once;
  EXPECT_EQ(repeat::NextTime(once, start, {2026, 10, 1, 9, 30}, kNoHolidays), start);
  EXPECT_FALSE(repeat::NextTime(once, start, {2026, 10, 1, 9, 31}, kNoHolidays));

  // Rules that cannot come never do.
  RepeatRule none;
  none.kind = RepeatKind::kWeekly;
  EXPECT_FALSE(repeat::NextDay(none, 0, 0, kNoHolidays));
  none.kind = RepeatKind::kYearly, none.month = 2, none.day = 30;
  EXPECT_FALSE(repeat::NextDay(none, 0, 0, kNoHolidays));
}

TEST(RepeatRule, YearlyPlansCountTheirOccasionsByYear) {
  const CHolidayCalendar& none = kNoHolidays;
  // 八月十五 with the first time on 2026-09-25 (中秋 2026): 2027-09-15 is the second.
  RepeatRule moon = LunarYearly(8, 15, false);
  const MinuteTime start{2026, 9, 1, 8, 0};
  auto first = repeat::NextTime(moon, start, start, none);
  ASSERT_TRUE(first);
  EXPECT_EQ(*first, (MinuteTime{2026, 9, 25, 8, 0}));
  auto second = repeat::NextTime(moon, start, {2026, 9, 25, 8, 1}, none);
  ASSERT_TRUE(second);
  EXPECT_EQ(*second, (MinuteTime{2027, 9, 15, 8, 0}));
  EXPECT_EQ(repeat::OccasionNumber(moon, start, *first, none), 1);
  EXPECT_EQ(repeat::OccasionNumber(moon, start, *second, none), 2);

  // 2012 leaps the fourth month: both 四月初八 of 2012 are the first occasion.
  RepeatRule both = LunarYearly(4, 8, true);
  const MinuteTime from2012{2012, 1, 1, 0, 0};
  EXPECT_EQ(repeat::NextTime(both, from2012, from2012, none), (MinuteTime{2012, 4, 28, 0, 0}));
  EXPECT_EQ(repeat::NextTime(both, from2012, {2012, 4, 29, 0, 0}, none), (MinuteTime{2012, 5, 28, 0, 0}));
  EXPECT_EQ(repeat::OccasionNumber(both, from2012, {2012, 5, 28, 0, 0}, none), 1);
  EXPECT_EQ(repeat::OccasionNumber(both, from2012, {2013, 5, 17, 0, 0}, none), 2);

  RepeatRule birthday;
  birthday.kind = RepeatKind::kYearly, birthday.month = 2, birthday.day = 29;
  EXPECT_EQ(repeat::OccasionNumber(birthday, {2024, 2, 29, 7, 0}, {2034, 2, 28, 7, 0}, none), 11);
  EXPECT_EQ(repeat::OccasionNumber(RepeatRule{}, {2024, 2, 29, 7, 0}, {2024, 2, 29, 7, 0}, none), 0);
}

TEST(RepeatRule, RulesReadBackAsWrittenAndStrangeTextIsRefused) {
  auto make = [](RepeatKind kind, unsigned weekdays, int month, int day, bool leap, int ey, int em, int ed) {
    RepeatRule r;
    r.kind = kind, r.weekdays = weekdays, r.month = month, r.day = day, r.withLeapMonth = leap;
    r.endYear = ey, r.endMonth = em, r.endDay = ed;
    return r;
  };
  const unsigned monWedFriSun = repeat::WeekdayBit(2) | repeat::WeekdayBit(4) | repeat::WeekdayBit(6) | repeat::WeekdayBit(1);
  const struct {
    RepeatRule rule;
    const char* stored;
    const char* shown;
  } kRules[] = {
      {make(RepeatKind::kDaily, 0, 0, 0, false, 0, 0, 0), "daily", "每天"},
      {make(RepeatKind::kWorkdays, 0, 0, 0, false, 2030, 12, 31), "workdays until 2030-12-31", "工作日 至2030-12-31"},
      {make(RepeatKind::kWeekly, monWedFriSun, 0, 0, false, 0, 0, 0), "weekly mon,wed,fri,sun", "每周一、三、五、日"},
      {make(RepeatKind::kMonthly, 0, 0, 31, false, 0, 0, 0), "monthly 31", "每月31日"},
      {make(RepeatKind::kYearly, 0, 2, 29, false, 0, 0, 0), "yearly 02-29", "每年2月29日"},
      {make(RepeatKind::kLunarMonthly, 0, 0, 30, false, 0, 0, 0), "lunar-monthly 30", "每月农历三十"},
      {make(RepeatKind::kLunarYearly, 0, 8, 15, false, 0, 0, 0), "lunar-yearly 08-15", "每年农历八月十五"},
      {make(RepeatKind::kLunarYearly, 0, 4, 8, true, 2049, 1, 1), "lunar-yearly 04-08 leap until 2049-01-01",
       "每年农历四月初八(含闰月) 至2049-01-01"},
  };
  for (const auto& r : kRules) {
    EXPECT_EQ(repeat::FormatRule(r.rule), r.stored);
    EXPECT_EQ(repeat::DescribeRule(r.rule), r.shown);
    RepeatRule back;
    ASSERT_TRUE(repeat::ParseRule(r.stored, back)) << r.stored;
    EXPECT_EQ(back, r.rule) << r.stored;
  }
  EXPECT_EQ(repeat::FormatRule(RepeatRule{}), "");
  EXPECT_EQ(repeat::DescribeRule(RepeatRule{}), "");

  RepeatRule kept = kRules[3].rule;
  for (const char* bad : {"", "hourly", "weekly", "weekly mon,,fri", "weekly funday", "monthly 32", "monthly 0",
                          "monthly -1", "monthly 1 2", "yearly 02-30", "yearly 13-01", "yearly 2-1", "lunar-monthly 31",
                          "lunar-yearly 08-15 leap leap", "daily until", "daily until 2030-02-30",
                          "daily until 0000-01-01", "daily after 2030-01-01", "DAILY"}) {
    EXPECT_FALSE(repeat::ParseRule(bad, kept)) << bad;
    EXPECT_EQ(kept, kRules[3].rule) << "a refused text leaves the rule: " << bad;
  }
}

}  // namespace
