// The calendar window's own setting, in the section file "data\calendar.ini":
//   [SHOW_HOLIDAYS]
//   1
// "1" shows the 休 and 班 marks, "0" hides them; a missing file or value
// shows them.
#pragma once
#include <string>

constexpr const char* kCalendarSettingsPath = "data\\calendar.ini";

struct CalendarSettings {
  static constexpr const char* kShowHolidaysKey = "[SHOW_HOLIDAYS]";
  bool showHolidays = true;
};

// 0 when the file was read, 1 when it gave the defaults (missing, or no
// value this version understands).
int LoadCalendarSettings(const std::string& path, CalendarSettings& settings);
// Rewrites the file whole; false when it could not be written.
bool SaveCalendarSettings(const std::string& path, const CalendarSettings& settings);
