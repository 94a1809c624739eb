#include "plans/ReminderClock.h"

#include <algorithm>

#include "plans/RepeatRule.h"

std::vector<PlanRecord> CReminderClock::Poll(const MinuteTime& now, const std::string& path,
                                             const CHolidayCalendar* holidays) {
  static const CHolidayCalendar kNoHolidays;
  const CHolidayCalendar& days = holidays ? *holidays : kNoHolidays;
  const MinuteTime after = TimeOfMinutes(MinutesOf(now) + 1);
  std::vector<PlanRecord> due;
  nextDue_.reset();
  ForEachPlanRecord(path, [&](const std::string& timeText, std::string content, const std::string& repeat) {
    // Shown or not (a clock set back meets shown ones again): an extra
    // wake finds nothing and costs nothing.
    MinuteTime start;
    if (!ParseTimeText(timeText, start)) return;
    if (auto next = repeat::NextDueTime(start, repeat, after, days))
      if (!nextDue_ || *next < *nextDue_) nextDue_ = *next;
    // An occurrence shown already (in the minute of the last poll) gives way
    // to the plan's next one, which a late poll may find due too.
    for (MinuteTime from = from_;;) {
      auto plan = repeat::NextOccurrence(timeText, content, repeat, from, days);
      if (!plan || now < plan->time) return;
      if (shown_.insert({FormatTimeText(plan->time), plan->content}).second) {
        due.push_back(std::move(*plan));
        return;
      }
      from = TimeOfMinutes(MinutesOf(plan->time) + 1);
    }
  });
  std::stable_sort(due.begin(), due.end(),
                   [](const PlanRecord& a, const PlanRecord& b) { return a.time < b.time; });
  from_ = now;
  return due;
}

int ReminderWaitMinutes(const MinuteTime& now, const std::optional<MinuteTime>& nextDue) {
  const int64_t minutes = MinutesOf(now);
  const int64_t dayChange = (minutes / (24 * 60) + 1) * 24 * 60;
  int64_t wake = std::min(minutes + kMaxReminderWaitMinutes, dayChange);
  if (nextDue) wake = std::min(wake, std::max(MinutesOf(*nextDue), minutes + 1));
  return static_cast<int>(wake - minutes);
}
