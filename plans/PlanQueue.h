// The upcoming plan queue: the first ten records of the plan file, in file
// order, whose minute has not passed. The main frame owns one and refills it
// when the plans change; "显示计划" shows its first plan.
#pragma once
#include <array>
#include <optional>
#include <string>

#include "calendar/HolidayCalendar.h"
#include "plans/PlanStore.h"

class CPlanQueue {
 public:
  static constexpr int kCapacity = 10;

  // Empties the queue and refills it from the plan file: records in the
  // minute of now or later, up to kCapacity. Records whose time text does not
  // yield five numbers are skipped. A repeating plan stands at its next
  // occurrence. Returns the count.
  int LoadUpcoming(const MinuteTime& now, const std::string& path = kPlanFilePath,
                   const CHolidayCalendar* holidays = nullptr);

  // The first plan; none when the queue is empty.
  std::optional<PlanRecord> Next() const;
  // The same as fields for callers that take them one by one: 1 and the first
  // plan, or 0 when the queue is empty (the out-parameters left untouched).
  int GetNextPlan(int& year, int& month, int& day, int& hour, int& minute,
                  std::string& content) const;

  int Count() const { return count_; }
  const PlanRecord& At(int i) const { return slots_[i]; }

 private:
  std::array<PlanRecord, kCapacity> slots_;
  int count_ = 0;
};
