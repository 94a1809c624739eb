#include "plans/PlanQueue.h"

int CPlanQueue::LoadUpcoming(const PlanTime& now, const std::string& path) {
  count_ = 0;
  // The loop has no early exit; records past a full queue are passed over.
  ForEachPlanRecord(path, [&](const std::string& timeText, std::string content) {
    PlanTime t;
    if (count_ == kCapacity || !ParseTimeText(timeText, t) || t < now) return;
    slots_[count_++] = {t, std::move(content)};
  });
  return count_;
}

int CPlanQueue::GetNextPlan(int& year, int& month, int& day, int& hour, int& minute,
                            std::string& content) const {
  if (count_ == 0) return 0;
  const PlanRecord& plan = slots_[0];
  year = plan.time.year;
  month = plan.time.month;
  day = plan.time.day;
  hour = plan.time.hour;
  minute = plan.time.minute;
  content = plan.content;
  return 1;
}
