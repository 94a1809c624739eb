#include "plans/RepeatRule.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "calendar/LunarCalendar.h"
#include "common/CivilDate.h"
#include "common/Text.h"

namespace {

// Weekday words of the file and marks of the manager, Monday first as a
// week is read here; the number is the weekday (1 = Sunday ... 7 = Saturday).
struct WeekdayName {
  int weekday;
  const char* word;
  const char* mark;
};
constexpr WeekdayName kWeekdays[7] = {{2, "mon", "一"}, {3, "tue", "二"}, {4, "wed", "三"}, {5, "thu", "四"},
                                      {6, "fri", "五"}, {7, "sat", "六"}, {1, "sun", "日"}};
constexpr unsigned kAllWeekdays = 0x7F;

struct KindName {
  RepeatKind kind;
  const char* word;
};
constexpr KindName kKinds[] = {
    {RepeatKind::kDaily, "daily"},          {RepeatKind::kWorkdays, "workdays"},
    {RepeatKind::kWeekly, "weekly"},        {RepeatKind::kMonthly, "monthly"},
    {RepeatKind::kYearly, "yearly"},        {RepeatKind::kLunarMonthly, "lunar-monthly"},
    {RepeatKind::kLunarYearly, "lunar-yearly"},
};
constexpr const char* kUntilWord = "until";
constexpr const char* kLeapWord = "leap";

const CLunarCalendar kLunar;

int64_t DaysOf(int year, int month, int day) { return civil::DaysFromCivil(year, month, day); }

int WeekdayOf(int64_t days) {
  int y, m, d;
  civil::CivilFromDays(days, y, m, d);
  return civil::Weekday(y, m, d);
}

// The day of the lunar month (ordinary or leap) for lunar day D: a month
// without day D (29 days, D = 30) uses its last day.
std::optional<int64_t> LunarDay(int year, int month, bool leap, int day) {
  const int length = kLunar.MonthDays(year, month, leap);
  if (length == 0) return std::nullopt;
  int64_t days;
  if (!kLunar.ToDays({year, month, std::min(day, length), leap}, days)) return std::nullopt;
  return days;
}

// The lunar date from which to look: the day's own, or the table's first
// day for a day before the table.
bool LunarStart(int64_t from, CLunarCalendar::Date& lunar) {
  if (kLunar.ToLunar(from, lunar)) return true;
  int64_t first;
  if (!kLunar.ToDays({CLunarCalendar::kFirstYear, 1, 1, false}, first) || from >= first) return false;
  lunar = {CLunarCalendar::kFirstYear, 1, 1, false};
  return true;
}

std::optional<int64_t> NextLunarMonthly(int day, int64_t from) {
  CLunarCalendar::Date at;
  if (!LunarStart(from, at)) return std::nullopt;
  int year = at.year, month = at.month;
  bool leap = at.leapMonth;
  // This month's day D, or the next month's: months run 1 .. L, leap L, L+1 .. 12.
  for (int step = 0; step < 2; ++step) {
    if (auto d = LunarDay(year, month, leap, day); d && *d >= from) return d;
    if (!leap && kLunar.LeapMonth(year) == month) {
      leap = true;
    } else {
      leap = false;
      if (++month > 12) {
        month = 1;
        ++year;
      }
    }
  }
  return std::nullopt;
}

std::optional<int64_t> NextLunarYearly(int month, int day, bool withLeap, int64_t from) {
  CLunarCalendar::Date at;
  if (!LunarStart(from, at)) return std::nullopt;
  for (int year = at.year; year <= CLunarCalendar::kLastYear; ++year) {
    if (auto d = LunarDay(year, month, false, day); d && *d >= from) return d;
    if (withLeap && kLunar.LeapMonth(year) == month)
      if (auto d = LunarDay(year, month, true, day); d && *d >= from) return d;
  }
  return std::nullopt;
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

// A whole number of 1 to maxDigits digits.
bool ParseNumber(std::string_view s, size_t maxDigits, int& value) {
  if (s.empty() || s.size() > maxDigits) return false;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  value = v;
  return true;
}

// "MM-DD"
bool ParseMonthDay(std::string_view s, int& month, int& day) {
  return s.size() == 5 && s[2] == '-' && ParseNumber(s.substr(0, 2), 2, month) && ParseNumber(s.substr(3), 2, day);
}

// "YYYY-MM-DD"
bool ParseDate(std::string_view s, int& year, int& month, int& day) {
  return s.size() == 10 && s[4] == '-' && ParseNumber(s.substr(0, 4), 4, year) &&
         ParseMonthDay(s.substr(5), month, day);
}

bool ParseWeekdays(std::string_view list, unsigned& mask) {
  unsigned bits = 0;
  size_t pos = 0;
  for (;;) {
    size_t comma = list.find(',', pos);
    std::string_view word = list.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos);
    auto it = std::find_if(std::begin(kWeekdays), std::end(kWeekdays),
                           [&](const WeekdayName& w) { return word == w.word; });
    if (it == std::end(kWeekdays)) return false;
    bits |= repeat::WeekdayBit(it->weekday);
    if (comma == std::string_view::npos) break;
    pos = comma + 1;
  }
  mask = bits;
  return true;
}

}  // namespace

bool RepeatRule::IsValid() const {
  if (HasEnd() && !civil::IsValidDate(endYear, endMonth, endDay)) return false;
  switch (kind) {
    case RepeatKind::kOnce:
    case RepeatKind::kDaily:
    case RepeatKind::kWorkdays: return true;
    case RepeatKind::kWeekly: return weekdays != 0 && (weekdays & ~kAllWeekdays) == 0;
    case RepeatKind::kMonthly: return day >= 1 && day <= 31;
    // A leap year has every month-day there is.
    case RepeatKind::kYearly: return month >= 1 && month <= 12 && day >= 1 && day <= civil::DaysInMonth(2000, month);
    case RepeatKind::kLunarMonthly: return day >= 1 && day <= 30;
    case RepeatKind::kLunarYearly: return month >= 1 && month <= 12 && day >= 1 && day <= 30;
  }
  return false;
}

bool RepeatRule::operator==(const RepeatRule& o) const {
  return std::tie(kind, weekdays, month, day, withLeapMonth, endYear, endMonth, endDay) ==
         std::tie(o.kind, o.weekdays, o.month, o.day, o.withLeapMonth, o.endYear, o.endMonth, o.endDay);
}

namespace repeat {

std::optional<int64_t> NextDay(const RepeatRule& rule, int64_t start, int64_t from,
                               const CHolidayCalendar& holidays) {
  if (!rule.IsValid()) return std::nullopt;
  const int64_t at = std::max(start, from);
  std::optional<int64_t> next;
  switch (rule.kind) {
    case RepeatKind::kOnce:
      if (from <= start) next = start;
      break;
    case RepeatKind::kDaily:
      next = at;
      break;
    case RepeatKind::kWorkdays:
      // The longest run of days off in any year's notices is nine days; a
      // file that holds no working day for a year has none to give.
      for (int64_t d = at; d < at + 366 && !next; ++d)
        if (holidays.IsWorkingDay(d)) next = d;
      break;
    case RepeatKind::kWeekly:
      for (int64_t d = at; d < at + 7 && !next; ++d)
        if (rule.weekdays & WeekdayBit(WeekdayOf(d))) next = d;
      break;
    case RepeatKind::kMonthly: {
      int y, m, d;
      civil::CivilFromDays(at, y, m, d);
      int64_t candidate = DaysOf(y, m, std::min(rule.day, civil::DaysInMonth(y, m)));
      if (candidate < at) {
        if (++m > 12) {
          m = 1;
          ++y;
        }
        candidate = DaysOf(y, m, std::min(rule.day, civil::DaysInMonth(y, m)));
      }
      next = candidate;
      break;
    }
    case RepeatKind::kYearly: {
      int y, m, d;
      civil::CivilFromDays(at, y, m, d);
      int64_t candidate = DaysOf(y, rule.month, std::min(rule.day, civil::DaysInMonth(y, rule.month)));
      if (candidate < at) candidate = DaysOf(y + 1, rule.month, std::min(rule.day, civil::DaysInMonth(y + 1, rule.month)));
      next = candidate;
      break;
    }
    case RepeatKind::kLunarMonthly:
      next = NextLunarMonthly(rule.day, at);
      break;
    case RepeatKind::kLunarYearly:
      next = NextLunarYearly(rule.month, rule.day, rule.withLeapMonth, at);
      break;
  }
  if (next && rule.HasEnd() && *next > DaysOf(rule.endYear, rule.endMonth, rule.endDay)) next.reset();
  return next;
}

std::optional<MinuteTime> NextTime(const RepeatRule& rule, const MinuteTime& start, const MinuteTime& from,
                                   const CHolidayCalendar& holidays) {
  if (!rule.Repeats()) return from <= start ? std::optional<MinuteTime>(start) : std::nullopt;
  if (!civil::IsValidDate(start.year, start.month, start.day) || !civil::IsValidDate(from.year, from.month, from.day))
    return std::nullopt;
  int64_t fromDay = DaysOf(from.year, from.month, from.day);
  // Later in its day than the plan's time of day: that day's time has passed.
  if (std::tie(from.hour, from.minute) > std::tie(start.hour, start.minute)) ++fromDay;
  auto day = NextDay(rule, DaysOf(start.year, start.month, start.day), fromDay, holidays);
  if (!day) return std::nullopt;
  MinuteTime next = start;
  civil::CivilFromDays(*day, next.year, next.month, next.day);
  return next;
}

std::optional<MinuteTime> NextDueTime(const MinuteTime& start, std::string_view ruleText, const MinuteTime& from,
                                      const CHolidayCalendar& holidays) {
  RepeatRule rule;
  if (ruleText.empty() || !ParseRule(ruleText, rule)) rule = RepeatRule{};
  return NextTime(rule, start, from, holidays);
}

std::optional<PlanRecord> NextOccurrence(std::string_view timeText, std::string content, std::string_view ruleText,
                                         const MinuteTime& from, const CHolidayCalendar& holidays) {
  MinuteTime start;
  if (!ParseTimeText(timeText, start)) return std::nullopt;
  RepeatRule rule;
  if (ruleText.empty() || !ParseRule(ruleText, rule)) rule = RepeatRule{};
  auto at = NextTime(rule, start, from, holidays);
  if (!at) return std::nullopt;
  return PlanRecord{*at, std::move(content), OccasionNumber(rule, start, *at, holidays)};
}

int OccasionNumber(const RepeatRule& rule, const MinuteTime& start, const MinuteTime& occurrence,
                   const CHolidayCalendar& holidays) {
  if (rule.kind != RepeatKind::kYearly && rule.kind != RepeatKind::kLunarYearly) return 0;
  auto first = NextTime(rule, start, start, holidays);
  if (!first || occurrence < *first) return 0;
  if (rule.kind == RepeatKind::kYearly) return occurrence.year - first->year + 1;
  CLunarCalendar::Date a, b;
  if (!kLunar.ToLunar(DaysOf(first->year, first->month, first->day), a) ||
      !kLunar.ToLunar(DaysOf(occurrence.year, occurrence.month, occurrence.day), b))
    return 0;
  return b.year - a.year + 1;
}

std::string FormatRule(const RepeatRule& rule) {
  auto kind = std::find_if(std::begin(kKinds), std::end(kKinds), [&](const KindName& k) { return k.kind == rule.kind; });
  if (kind == std::end(kKinds) || !rule.IsValid()) return std::string();
  std::string out = kind->word;
  switch (rule.kind) {
    case RepeatKind::kWeekly: {
      std::string list;
      for (const WeekdayName& w : kWeekdays)
        if (rule.weekdays & WeekdayBit(w.weekday)) list += (list.empty() ? "" : ",") + std::string(w.word);
      out += " " + list;
      break;
    }
    case RepeatKind::kMonthly:
    case RepeatKind::kLunarMonthly: out += text::Format(" %d", rule.day); break;
    case RepeatKind::kYearly: out += text::Format(" %02d-%02d", rule.month, rule.day); break;
    case RepeatKind::kLunarYearly:
      out += text::Format(" %02d-%02d", rule.month, rule.day);
      if (rule.withLeapMonth) out += std::string(" ") + kLeapWord;
      break;
    default: break;
  }
  if (rule.HasEnd()) out += text::Format(" %s %04d-%02d-%02d", kUntilWord, rule.endYear, rule.endMonth, rule.endDay);
  return out;
}

bool ParseRule(std::string_view text, RepeatRule& rule) {
  std::vector<std::string_view> words = Words(text);
  if (words.empty()) return false;
  auto kind = std::find_if(std::begin(kKinds), std::end(kKinds), [&](const KindName& k) { return words[0] == k.word; });
  if (kind == std::end(kKinds)) return false;
  RepeatRule parsed;
  parsed.kind = kind->kind;
  size_t next = 1;
  auto take = [&]() -> std::string_view { return next < words.size() ? words[next++] : std::string_view(); };
  bool ok = true;
  switch (parsed.kind) {
    case RepeatKind::kWeekly: ok = ParseWeekdays(take(), parsed.weekdays); break;
    case RepeatKind::kMonthly:
    case RepeatKind::kLunarMonthly: ok = ParseNumber(take(), 2, parsed.day); break;
    case RepeatKind::kYearly: ok = ParseMonthDay(take(), parsed.month, parsed.day); break;
    case RepeatKind::kLunarYearly:
      ok = ParseMonthDay(take(), parsed.month, parsed.day);
      if (next < words.size() && words[next] == kLeapWord) {
        parsed.withLeapMonth = true;
        ++next;
      }
      break;
    default: break;
  }
  if (ok && next < words.size()) {
    ok = take() == kUntilWord && ParseDate(take(), parsed.endYear, parsed.endMonth, parsed.endDay) && parsed.endYear != 0;
  }
  if (!ok || next < words.size() || !parsed.IsValid()) return false;
  rule = parsed;
  return true;
}

std::string DescribeRule(const RepeatRule& rule) {
  std::string out;
  switch (rule.kind) {
    case RepeatKind::kOnce: return out;
    case RepeatKind::kDaily: out = "每天"; break;
    case RepeatKind::kWorkdays: out = "工作日"; break;
    case RepeatKind::kWeekly: {
      out = "每周";
      bool first = true;
      for (const WeekdayName& w : kWeekdays)
        if (rule.weekdays & WeekdayBit(w.weekday)) {
          out += (first ? "" : "、") + std::string(w.mark);
          first = false;
        }
      break;
    }
    case RepeatKind::kMonthly: out = text::Format("每月%d日", rule.day); break;
    case RepeatKind::kYearly: out = text::Format("每年%d月%d日", rule.month, rule.day); break;
    case RepeatKind::kLunarMonthly: out = std::string("每月农历") + CLunarCalendar::LunarDayName(rule.day); break;
    case RepeatKind::kLunarYearly:
      out = std::string("每年农历") + CLunarCalendar::LunarMonthName(rule.month) + CLunarCalendar::LunarDayName(rule.day);
      if (rule.withLeapMonth) out += "(含闰月)";
      break;
  }
  if (rule.HasEnd()) out += text::Format(" 至%04d-%02d-%02d", rule.endYear, rule.endMonth, rule.endDay);
  return out;
}

}  // namespace repeat
