#include "plans/PlanQueue.h"

#include "plans/RepeatRule.h"

int CPlanQueue::LoadUpcoming(const MinuteTime& now, const std::string& path, const CHolidayCalendar* holidays) {
  static const CHolidayCalendar kNoHolidays;
  count_ = 0;
  // The loop has no early exit; records past a full queue are passed over.
  ForEachPlanRecord(path, [&](const std::string& timeText, std::string content, const std::string& repeat) {
    if (count_ == kCapacity) return;
    auto plan = repeat::NextOccurrence(timeText, std::move(content), repeat, now, holidays ? *holidays : kNoHolidays);
    if (plan) slots_[count_++] = std::move(*plan);
  });
  return count_;
}

std::optional<PlanRecord> CPlanQueue::Next() const {
  if (count_ == 0) return std::nullopt;
  return slots_[0];
}

int CPlanQueue::GetNextPlan(int& year, int& month, int& day, int& hour, int& minute,
                            std::string& content) const {
  const std::optional<PlanRecord> plan = Next();
  if (!plan) return 0;
  year = plan->time.year;
  month = plan->time.month;
  day = plan->time.day;
  hour = plan->time.hour;
  minute = plan->time.minute;
  content = plan->content;
  return 1;
}
