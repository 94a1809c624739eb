// Reminders that come by themselves. The frame passes the current time to
// Poll when the next plan is due (and now and then between) and opens a
// prompt for every plan it returns. Every
// record of the plan file counts, wherever it stands in the file: a file
// edited by hand need not be sorted by time. Each plan comes once per run (a
// plan is its time and content), and plans whose minute passed before the
// program started are not replayed.
#pragma once
#include <cstdint>
#include <optional>
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

  // After a poll: the earliest minute after the poll's at which a plan of
  // the file comes; none when no plan is ahead.
  const std::optional<MinuteTime>& NextDue() const { return nextDue_; }

 private:
  MinuteTime from_;
  std::optional<MinuteTime> nextDue_;
  std::set<std::pair<std::string, std::string>> shown_;
};

// The longest the reminders sleep between two polls, so that a plan file
// changed behind the program's back still comes within a few hours.
constexpr int kMaxReminderWaitMinutes = 180;

// How many minutes on from now the next poll comes: at the minute of
// nextDue, but no later than the next day change or kMaxReminderWaitMinutes
// on, and at least the next minute.
int ReminderWaitMinutes(const MinuteTime& now, const std::optional<MinuteTime>& nextDue);
