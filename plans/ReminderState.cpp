#include "plans/ReminderState.h"

#include <cstdlib>

#include "common/CivilDate.h"
#include "common/File.h"
#include "common/SectionFile.h"

namespace {
// A snooze longer than a day is no value of ours.
constexpr int kMaxSnoozeMinutes = 24 * 60;
}  // namespace

ReminderState LoadReminderState(const std::string& path) {
  ReminderState state;
  CSectionFile file;
  if (file.Load(path) != 0) return state;
  MinuteTime t;
  const std::string run = file.GetValue(ReminderState::kLastRunKey);
  if (ParseTimeText(run, t) && FormatTimeText(t) == run && civil::IsValidDate(t.year, t.month, t.day) &&
      t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60)
    state.lastRun = t;
  const std::string snooze = file.GetValue(ReminderState::kLastSnoozeKey);
  char* end = nullptr;
  long minutes = std::strtol(snooze.c_str(), &end, 10);
  if (!snooze.empty() && *end == '\0' && minutes > 0 && minutes <= kMaxSnoozeMinutes)
    state.lastSnoozeMinutes = static_cast<int>(minutes);
  return state;
}

bool SaveReminderState(const std::string& path, const ReminderState& state) {
  std::string text;
  if (state.lastRun) text += SectionFileText({{ReminderState::kLastRunKey, FormatTimeText(*state.lastRun)}});
  if (state.lastSnoozeMinutes > 0)
    text += SectionFileText({{ReminderState::kLastSnoozeKey, std::to_string(state.lastSnoozeMinutes)}});
  return file::WriteAtomic(path, text);
}

bool RememberLastRun(const std::string& path, const MinuteTime& now) {
  ReminderState state = LoadReminderState(path);
  state.lastRun = now;
  return SaveReminderState(path, state);
}

bool RememberSnooze(const std::string& path, int minutes) {
  ReminderState state = LoadReminderState(path);
  state.lastSnoozeMinutes = minutes;
  return SaveReminderState(path, state);
}
