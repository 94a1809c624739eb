#include "plans/MissedPlans.h"

#include <algorithm>
#include <set>
#include <utility>

#include "common/Text.h"
#include "plans/RepeatRule.h"

std::vector<MissedPlan> FindMissedPlans(const std::optional<MinuteTime>& lastRun, const MinuteTime& now,
                                        const std::string& path, const CHolidayCalendar* holidays) {
  static const CHolidayCalendar kNoHolidays;
  std::vector<MissedPlan> missed;
  if (!lastRun) return missed;
  const int64_t end = MinutesOf(now);
  const int64_t start = std::max(MinutesOf(*lastRun) + 1, end - int64_t{kMissedDaysBack} * 24 * 60);
  if (start >= end) return missed;
  std::set<std::pair<std::string, std::string>> listed;
  ForEachPlanRecord(path, [&](const std::string& timeText, std::string content, const std::string& repeat) {
    MissedPlan found;
    found.count = 0;
    // No kind repeats more than daily: a few steps cover the window.
    for (int64_t from = start; from < end;) {
      auto plan = repeat::NextOccurrence(timeText, content, repeat, TimeOfMinutes(from),
                                         holidays ? *holidays : kNoHolidays);
      if (!plan || MinutesOf(plan->time) >= end) break;
      from = MinutesOf(plan->time) + 1;
      found.plan = std::move(*plan);
      ++found.count;
    }
    // The same plan twice in the file is listed once, as the clock shows it once.
    if (found.count > 0 && listed.insert({FormatTimeText(found.plan.time), found.plan.content}).second)
      missed.push_back(std::move(found));
  });
  std::stable_sort(missed.begin(), missed.end(),
                   [](const MissedPlan& a, const MissedPlan& b) { return a.plan.time < b.plan.time; });
  return missed;
}

std::string MissedRowText(const MissedPlan& missed) {
  std::string content = missed.plan.content;
  for (char& c : content)
    if (c == '\r' || c == '\n') c = ' ';
  std::string row = FormatTimeText(missed.plan.time) + "  " + content;
  if (missed.count > 1) row += text::Format(" (错过 %d 次)", missed.count);
  return row;
}
