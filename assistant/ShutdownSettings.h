// The automatic shutdown time, "data3\shutdown.ini": the hour and the minute
// as "%d,%d" (for 22:05 the text 22,5, no line break). The setting exists
// exactly as long as the file does.
#pragma once
#include <cstdint>
#include <limits>
#include <string>

struct ShutdownSettings {
  int armed = 0;   // the file could be opened at the last load
  int hour = -1;   // -1 when the file was missing
  int minute = 0;
  int third = 0;   // a third number after the minute; nothing writes one
};

constexpr char kShutdownPath[] = "data3\\shutdown.ini";

class ShutdownStore {
 public:
  // armed 0 and hour -1; then, when the file opens, armed 1 and the time as
  // ParseShutdownTime reads it, with as many of the third value as there is.
  // Returns 0 when armed, else 1.
  int Load(const std::string& programFolder);
  const ShutdownSettings& Current() const { return current_; }

  // The time as the settings dialog shows it, read as Load reads it: false
  // without a file.
  static bool ReadTime(const std::string& programFolder, int& hour, int& minute);
  // Writes "%d,%d" (creating "data3\"); false when nothing was written.
  static bool Save(const std::string& programFolder, int hour, int minute);
  // Deletes the file; true when there is none afterwards (a missing file is
  // no failure).
  static bool Remove(const std::string& programFolder);

 private:
  ShutdownSettings current_;
};

// The time in the file's text, "%d,%d" and an optional third number: what
// is not there reads as 0 ("7" is 7:00, a text without numbers 0:00), so the
// dialog shows the time the frame acts on. Returns how many numbers it read.
int ParseShutdownTime(const std::string& content, int& hour, int& minute, int& third);

// A local time to the minute.
struct LocalMinute {
  int year, month, day, hour, minute;
};

// When the countdown opens: at the stored hour and minute of every day. Its
// opening uses up that stored minute of that day, so cancelling the countdown
// keeps the computer running until the same minute tomorrow, while a new
// time saved after it still comes at its minute.
class ShutdownSchedule {
 public:
  // True when the countdown is to open now (and the day is then used up).
  bool Due(const ShutdownSettings& settings, const LocalMinute& now);
  // Minutes from now to the next stored minute, 1 to a day (the stored
  // minute of now comes next tomorrow); 0 when none is stored.
  static int MinutesToNext(const ShutdownSettings& settings, const LocalMinute& now);

 private:
  // The day and the stored time the countdown last opened for.
  int64_t usedDay_ = std::numeric_limits<int64_t>::min();
  int usedHour_ = -1;
  int usedMinute_ = -1;
};
