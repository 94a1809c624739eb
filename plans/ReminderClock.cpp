#include "plans/ReminderClock.h"

#include <algorithm>

#include "plans/RepeatRule.h"

std::vector<PlanRecord> CReminderClock::Poll(const MinuteTime& now, const std::string& path,
                                             const CHolidayCalendar* holidays) {
  static const CHolidayCalendar kNoHolidays;
  std::vector<PlanRecord> due;
  ForEachPlanRecord(path, [&](const std::string& timeText, std::string content, const std::string& repeat) {
    // An occurrence shown already (in the minute of the last poll) gives way
    // to the plan's next one, which a late poll may find due too.
    for (MinuteTime from = from_;;) {
      auto plan = repeat::NextOccurrence(timeText, content, repeat, from, holidays ? *holidays : kNoHolidays);
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
