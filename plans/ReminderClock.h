// Reminders that come by themselves. Once a minute the frame loads an
// upcoming queue from LoadFrom(), passes it to Poll with the current time and
// opens a prompt for every plan Poll returns. Each plan comes once per run
// (a plan is its time and content), and plans whose minute passed before the
// program started are not replayed.
#pragma once
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "plans/PlanQueue.h"

class CReminderClock {
 public:
  explicit CReminderClock(const PlanTime& startedAt) : from_(startedAt) {}

  // The time to load the queue from: the minute of the last poll, so that a
  // plan added for that minute after the poll still comes, or, when a full
  // queue held only due plans, the latest of them, so the next poll reaches
  // the plans behind it.
  PlanTime LoadFrom() const { return from_; }

  // The plans of the queue that are due now and were not shown before, in
  // queue order. A poll that comes late still returns the plans of the
  // minutes it skipped.
  std::vector<PlanRecord> Poll(const PlanTime& now, const CPlanQueue& queue);

 private:
  PlanTime from_;
  std::set<std::pair<std::string, std::string>> shown_;
};
