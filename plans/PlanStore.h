// The plan file "data\plan.ini": a sequence of records of two CR LF lines,
//   ||TIME:2012-05-28 14:55
//   ||CONTENT:first line-----CR-----LF-----second line
// in GBK. An empty content is stored as "NULL"; line breaks inside the content
// are stored as the escape. The ledger files use the same record layout.
// A repeating plan carries its rule on a comment line between its two lines,
//   ||TIME:2025-10-06 20:00
//   //||REPEAT:lunar-yearly 08-15
//   ||CONTENT:中秋
// which readers that know no rules skip as every "//" line: they see a
// one-time plan at the record's time, its first occurrence.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

constexpr const char* kPlanFilePath = "data\\plan.ini";
constexpr const char* kPlanBackupSuffix = ".bak";

// Record files (plans, ledger accounts) hold far more than section files:
// a ledger of 100,000 entries takes some 10 MB.
constexpr uint64_t kMaxRecordFileBytes = 256u << 20;

constexpr std::string_view kTimeMarker = "||TIME:";
constexpr std::string_view kContentMarker = "||CONTENT:";
constexpr std::string_view kEmptyContent = "NULL";
constexpr std::string_view kLineBreakEscape = "-----CR-----LF-----";
constexpr std::string_view kRepeatMarker = "//||REPEAT:";

// A time to the minute, compared field by field.
struct PlanTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;

  bool operator<(const PlanTime& o) const;
  bool operator==(const PlanTime& o) const;
  bool operator<=(const PlanTime& o) const { return !(o < *this); }
  bool operator!=(const PlanTime& o) const { return !(*this == o); }
};

// Minutes counted from 1970-01-01 00:00, and back.
int64_t MinutesOf(const PlanTime& t);
PlanTime TimeOfMinutes(int64_t minutes);

// "%04d-%02d-%02d %02d:%02d": zero-padded, so text order is time order.
std::string FormatTimeText(const PlanTime& t);
// false unless the text yields the five numbers.
bool ParseTimeText(std::string_view text, PlanTime& t);

struct PlanRecord {
  PlanTime time;
  std::string content;
  int occasion = 0;  // which time of a yearly series this is (1 = the first); 0: none
};

// One record as the plan manager keeps it: the time text as read, and the
// rule text of a repeating plan as stored (empty: a one-time plan). A rule
// this version cannot read is kept as it stands.
struct PlanRow {
  PlanRow(std::string time = {}, std::string text = {}, std::string rule = {})
      : timeText(std::move(time)), content(std::move(text)), repeat(std::move(rule)) {}

  std::string timeText;
  std::string content;
  std::string repeat;

  bool operator==(const PlanRow& o) const {
    return timeText == o.timeText && content == o.content && repeat == o.repeat;
  }
};

// The stored form of a content and back. Every line break (CR LF, and a lone
// CR or LF, which would otherwise split the record) is stored as the escape
// and reads back as CR LF.
std::string EncodeContent(std::string_view content);
std::string DecodeContent(std::string_view stored);

enum PlanReadResult {
  kPlanFileRead = 0,
  kPlanFileMissing = 1,     // no file: no records
  kPlanFileDamaged = 2,     // read, but lines that belong to no record were skipped, or
                            // bytes (a NUL, no GB18030) that a rewrite would change
  kPlanFileUnreadable = 3,  // there, but it could not be read (too large, no rights)
};

// The records of the plan file in file order. A damaged record (a line that
// is not where a record line should be, a time line without its content
// line) is skipped and reading goes on at the next "||TIME:" line.
int ReadPlanFile(std::vector<PlanRow>& rows, const std::string& path = kPlanFilePath);

// Calls deliver(timeText, content) for every record; the loop that both
// ReadPlanFile and the upcoming queue run. Returns a PlanReadResult.
int ForEachPlanRecord(const std::string& path,
                      const std::function<void(const std::string& timeText, std::string content)>& deliver);
// The same with the record's rule text ("" for a one-time plan).
int ForEachPlanRecord(
    const std::string& path,
    const std::function<void(const std::string& timeText, std::string content, const std::string& repeat)>& deliver);

// Removes what writes of the file and of its ".bak" that were killed before
// their move left beside them (see file::RemoveStaleTemps).
void RemoveStaleTempsOf(const std::string& path);

enum PlanBackup { kNoBackup, kKeepOldAsBackup };

// Rewrites the plan file whole from the rows, atomically. With
// kKeepOldAsBackup the old file is first copied to path + ".bak" (used after
// a read met damaged lines, so nothing of the old file is lost); when that
// copy fails nothing is written. Temporary files that killed writes left
// beside the file go first. Returns 0 when written, 1 otherwise.
int WritePlanFile(const std::vector<PlanRow>& rows, const std::string& path = kPlanFilePath,
                  PlanBackup backup = kNoBackup);
