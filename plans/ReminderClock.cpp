#include "plans/ReminderClock.h"

std::vector<PlanRecord> CReminderClock::Poll(const PlanTime& now, const CPlanQueue& queue) {
  std::vector<PlanRecord> due;
  PlanTime latest = from_;
  for (int i = 0; i < queue.Count(); ++i) {
    const PlanRecord& plan = queue.At(i);
    if (latest < plan.time) latest = plan.time;
    if (plan.time < from_ || now < plan.time) continue;
    if (shown_.insert({FormatTimeText(plan.time), plan.content}).second) due.push_back(plan);
  }
  // A full queue may hide further due plans behind its last one.
  bool more = queue.Count() == CPlanQueue::kCapacity && latest <= now && from_ < latest;
  from_ = more ? latest : now;
  return due;
}
