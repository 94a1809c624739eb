// The statutory holidays (休) and make-up working days (班) of the holiday
// file "data\holiday.dat", and what they make of a day. The file is text in
// GB18030, one day a line, "//" comment lines:
//   [VALID_THROUGH] 2026-12-31
//   2026-10-01 休 国庆节
//   2026-10-10 班 国庆节
// The first line tells through which day the data is complete. A line that
// is not one of these is skipped and the rest of the file kept.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

constexpr const char* kHolidayFilePath = "data\\holiday.dat";

enum class DayKind {
  kWorkday,         // Monday to Friday
  kWeekend,         // Saturday or Sunday
  kHoliday,         // 休: a day off by the notices, whatever its weekday
  kMakeUpWorkday,   // 班: a Saturday or Sunday worked in exchange
};

class CHolidayCalendar {
 public:
  // A year of notices is some 40 lines; a file beyond this is not ours.
  static constexpr uint64_t kMaxFileBytes = 1u << 20;
  static constexpr size_t kMaxNameBytes = 96;  // UTF-8 bytes of a holiday's name
  static constexpr const char* kValidThroughKey = "[VALID_THROUGH]";
  static constexpr const char* kOffMark = "休";
  static constexpr const char* kWorkMark = "班";

  struct Day {
    bool makeUpWorkday = false;  // 班; otherwise 休
    std::string name;            // UTF-8
  };

  enum LoadResult {
    kLoaded = 0,
    kFileMissing = 1,  // missing, unreadable or too large: no holidays
    kDamaged = 2,      // read, but lines were skipped or the key line is missing
  };

  // Replaces what the calendar holds with the file's days. Returns a LoadResult.
  int Load(const std::string& path);
  // The same from the file's bytes.
  int Parse(std::string_view gbBytes);
  void Clear();

  int SkippedLines() const { return skipped_; }
  bool Empty() const { return days_.empty(); }
  size_t Count() const { return days_.size(); }

  // The last day the data is complete for; false when the file named none
  // and held no day either. Without the key line it is the end of the last
  // year the file holds days of.
  bool ValidThrough(int& year, int& month, int& day) const;
  // The date lies after the last day the data is complete for (or there is
  // no data): the calendar tells so instead of guessing.
  bool IsPastData(int year, int month, int day) const;

  // The holiday file's line for the date, or nullptr.
  const Day* Find(int year, int month, int day) const;
  DayKind Classify(int year, int month, int day) const;
  bool IsWorkingDay(int year, int month, int day) const;
  bool IsWorkingDay(int64_t days) const;  // days from 1970-01-01

  // The day of the month of the n-th working day of the month, counted from
  // its start for n > 0 and from its end for n < 0 (-1 is the last); 0 when
  // the month has fewer working days or n is 0.
  int NthWorkingDay(int year, int month, int n) const;

 private:
  bool ParseLine(std::string_view line, bool& sawValidThrough);

  std::map<int64_t, Day> days_;  // by days from 1970-01-01
  bool haveValidThrough_ = false;
  int64_t validThrough_ = 0;
  int skipped_ = 0;
};
