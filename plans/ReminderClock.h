// Reminders that come by themselves. Once a minute the frame passes the
// current time to Poll and opens a prompt for every plan it returns. Every
// record of the plan file counts, wherever it stands in the file: a file
// edited by hand need not be sorted by time. Each plan comes once per run (a
// plan is its time and content), and plans whose minute passed before the
// program started are not replayed.
#pragma once
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "calendar/HolidayCalendar.h"
#include "plans/PlanStore.h"

class CReminderClock {
 public:
  explicit CReminderClock(const MinuteTime& startedAt) : from_(startedAt) {}

  // The plans of the file that are due now and were not shown before, in
  // time order (file order within a minute). A poll that comes late still
  // returns the plans of the minutes it skipped; the next poll looks from
  // this poll's minute on, so that a plan added for that minute after the
  // poll still comes. A repeating plan comes at each of its occurrences
  // (working days by holidays; none given: Monday to Friday).
  std::vector<PlanRecord> Poll(const MinuteTime& now, const std::string& path = kPlanFilePath,
                               const CHolidayCalendar* holidays = nullptr);

 private:
  MinuteTime from_;
  std::set<std::pair<std::string, std::string>> shown_;
};
