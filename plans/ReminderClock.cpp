#include "plans/ReminderClock.h"

#include <algorithm>

std::vector<PlanRecord> CReminderClock::Poll(const PlanTime& now, const std::string& path) {
  std::vector<PlanRecord> due;
  ForEachPlanRecord(path, [&](const std::string& timeText, std::string content) {
    PlanTime t;
    if (!ParseTimeText(timeText, t) || t < from_ || now < t) return;
    if (shown_.insert({FormatTimeText(t), content}).second) due.push_back({t, std::move(content)});
  });
  std::stable_sort(due.begin(), due.end(),
                   [](const PlanRecord& a, const PlanRecord& b) { return a.time < b.time; });
  from_ = now;
  return due;
}
