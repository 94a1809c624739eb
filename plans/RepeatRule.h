// How a plan repeats: every day, every working day (by the holiday file),
// chosen weekdays, a day of every month or year, a lunar day of every lunar
// month or year, up to an optional last day. A repeating plan comes at its
// own time of day on every day of its series from its first time on.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/HolidayCalendar.h"
#include "plans/PlanStore.h"

enum class RepeatKind {
  kOnce,          // no repetition: the plan's own time only
  kDaily,         // 每天
  kWorkdays,      // 工作日: Monday to Friday without 休 days, with 班 days
  kWeekly,        // 每周, on the chosen weekdays
  kMonthly,       // 每月, day D; a month without day D uses its last day
  kYearly,        // 每年, month and day; 29 February in other years is 28 February
  kLunarMonthly,  // 每月农历, lunar day D; a month of 29 days uses its 29th for 30
  kLunarYearly,   // 每年农历, lunar month and day, in the ordinary month (and the leap month)
};

struct RepeatRule {
  RepeatKind kind = RepeatKind::kOnce;
  unsigned weekdays = 0;       // kWeekly: bit w - 1 for weekday w (1 = Sunday ... 7 = Saturday)
  int month = 0;               // kYearly: 1-12; kLunarYearly: the lunar month 1-12
  int day = 0;                 // kMonthly, kYearly: 1-31; lunar kinds: 1-30
  bool withLeapMonth = false;  // kLunarYearly: also in a leap month of that number
  int endYear = 0, endMonth = 0, endDay = 0;  // the series' last day; endYear 0: no end

  bool Repeats() const { return kind != RepeatKind::kOnce; }
  bool HasEnd() const { return endYear != 0; }
  // The fields the kind uses are in range (and the end date exists).
  bool IsValid() const;
  bool operator==(const RepeatRule& o) const;
  bool operator!=(const RepeatRule& o) const { return !(*this == o); }
};

namespace repeat {

constexpr unsigned WeekdayBit(int weekday) { return 1u << (weekday - 1); }

// The first day of the series (days from 1970-01-01) at or after from,
// starting on the day start; none when the series has ended or runs past
// the lunar table (lunar kinds).
std::optional<int64_t> NextDay(const RepeatRule& rule, int64_t start, int64_t from,
                               const CHolidayCalendar& holidays);

// The first time of the plan at or after from: a plan that starts at start
// comes at start's hour and minute on each day of its series.
std::optional<MinuteTime> NextTime(const RepeatRule& rule, const MinuteTime& start, const MinuteTime& from,
                                   const CHolidayCalendar& holidays);

// When a plan of the plan file is next due at or after from: its start time
// and its stored rule text ("" or a text this version cannot read: a one-time
// plan at start, as a version without rules reads it). The one question the
// reminders and the upcoming queue ask of a plan.
std::optional<MinuteTime> NextDueTime(const MinuteTime& start, std::string_view ruleText, const MinuteTime& from,
                                      const CHolidayCalendar& holidays);

// The plan as it comes next at or after from: that occurrence's time, its
// content and, for a yearly series, which time it is. None when the time
// text does not parse or no occurrence is left.
std::optional<PlanRecord> NextOccurrence(std::string_view timeText, std::string content, std::string_view ruleText,
                                         const MinuteTime& from, const CHolidayCalendar& holidays);

// Which time of a yearly series (Gregorian or lunar) an occurrence is: 1 for
// the first, counted by years, so an ordinary and a leap month of the same
// lunar year share their number. 0 for other kinds.
int OccasionNumber(const RepeatRule& rule, const MinuteTime& start, const MinuteTime& occurrence,
                   const CHolidayCalendar& holidays);

// The rule as the plan file stores it and back, in ASCII words:
//   "daily", "workdays", "weekly mon,wed,fri", "monthly 31", "yearly 02-29",
//   "lunar-monthly 30", "lunar-yearly 08-15" or "lunar-yearly 04-08 leap",
// each optionally followed by "until 2030-12-31". Empty for kOnce.
std::string FormatRule(const RepeatRule& rule);
// false (rule untouched) when the text is not a rule this version knows.
bool ParseRule(std::string_view text, RepeatRule& rule);

// The rule as the plan manager shows it beside the time: "每天", "工作日",
// "每周一、三、五", "每月31日", "每年2月29日", "每月农历三十",
// "每年农历八月十五(含闰月)", then " 至2030-12-31" when it ends. Empty for kOnce.
std::string DescribeRule(const RepeatRule& rule);

}  // namespace repeat
