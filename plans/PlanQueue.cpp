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
