// The plan file "data\plan.ini", a record file (see common/RecordFile.h)
// with a plan's time after "||TIME:":
//   ||TIME:2012-05-28 14:55
//   ||CONTENT:first line-----CR-----LF-----second line
// A repeating plan carries its rule on a comment line between its two lines,
//   ||TIME:2025-10-06 20:00
//   //||REPEAT:lunar-yearly 08-15
//   ||CONTENT:中秋
// which readers that know no rules skip as every "//" line: they see a
// one-time plan at the record's time, its first occurrence.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/MinuteTime.h"
#include "common/RecordFile.h"

constexpr const char* kPlanFilePath = "data\\plan.ini";

constexpr std::string_view kRepeatMarker = "//||REPEAT:";

struct PlanRecord {
  MinuteTime time;
  std::string content;
  int occasion = 0;  // which time of a yearly series this is (1 = the first); 0: none
};

// One record as the plan manager keeps it: the time text as read, the rule
// text of a repeating plan as stored (empty: a one-time plan), and the
// manager's check mark, which is never stored. A rule this version cannot
// read is kept as it stands.
struct PlanRow {
  PlanRow(std::string time = {}, std::string text = {}, std::string rule = {})
      : timeText(std::move(time)), content(std::move(text)), repeat(std::move(rule)) {}

  std::string timeText;
  std::string content;
  std::string repeat;
  bool checked = false;

  bool operator==(const PlanRow& o) const {
    return timeText == o.timeText && content == o.content && repeat == o.repeat;
  }
};

enum PlanReadResult {
  kPlanFileRead = kRecordsRead,
  kPlanFileMissing = kRecordFileMissing,
  kPlanFileDamaged = kRecordFileDamaged,
  kPlanFileUnreadable = kRecordFileUnreadable,
};

// The records of the plan file in file order. A damaged record (a line that
// is not where a record line should be, a time line without its content
// line) is skipped and reading goes on at the next "||TIME:" line.
int ReadPlanFile(std::vector<PlanRow>& rows, const std::string& path = kPlanFilePath);

// Calls deliver(timeText, content, repeat) for every record, with the
// record's rule text ("" for a one-time plan); the loop that both
// ReadPlanFile and the upcoming queue run. Returns a PlanReadResult.
int ForEachPlanRecord(
    const std::string& path,
    const std::function<void(const std::string& timeText, std::string content, const std::string& repeat)>& deliver);

// Rewrites the plan file whole from the rows (see CRecordWriter::Write).
// Returns 0 when written, 1 otherwise.
int WritePlanFile(const std::vector<PlanRow>& rows, const std::string& path = kPlanFilePath,
                  RecordBackup backup = kNoBackup);
