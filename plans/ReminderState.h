// What the reminders keep between runs, in the section file "data\reminder.ini":
//   [LAST_RUN]
//   2026-12-04 09:00
//   [LAST_SNOOZE]
//   10
// the last minute the program was running with its reminders (the plans of
// later minutes that passed before the next start are the missed ones), and
// the delay in minutes of the snooze chosen last, which the next prompt
// preselects.
#pragma once
#include <optional>
#include <string>

#include "plans/PlanStore.h"

constexpr const char* kReminderStatePath = "data\\reminder.ini";

struct ReminderState {
  static constexpr const char* kLastRunKey = "[LAST_RUN]";
  static constexpr const char* kLastSnoozeKey = "[LAST_SNOOZE]";

  std::optional<MinuteTime> lastRun;  // none: no run before this one is known
  int lastSnoozeMinutes = 0;        // 0: no snooze chosen yet
};

// Each value that is missing or not understood reads as unknown (a damaged
// last run lists no missed plans).
ReminderState LoadReminderState(const std::string& path);
// Rewrites the file whole, atomically; false when it could not be written.
bool SaveReminderState(const std::string& path, const ReminderState& state);

// Read, change one value, write: the other value stays as it was.
bool RememberLastRun(const std::string& path, const MinuteTime& now);
bool RememberSnooze(const std::string& path, int minutes);
