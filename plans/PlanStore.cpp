#include "plans/PlanStore.h"

#include <cstdio>
#include <tuple>

#include "common/CivilDate.h"
#include "common/File.h"
#include "common/SectionFile.h"
#include "common/Text.h"

bool PlanTime::operator<(const PlanTime& o) const {
  return std::tie(year, month, day, hour, minute) <
         std::tie(o.year, o.month, o.day, o.hour, o.minute);
}

bool PlanTime::operator==(const PlanTime& o) const {
  return std::tie(year, month, day, hour, minute) ==
         std::tie(o.year, o.month, o.day, o.hour, o.minute);
}

int64_t MinutesOf(const PlanTime& t) {
  return (civil::DaysFromCivil(t.year, t.month, t.day) * 24 + t.hour) * 60 + t.minute;
}

PlanTime TimeOfMinutes(int64_t minutes) {
  constexpr int64_t kPerDay = 24 * 60;
  int64_t days = minutes / kPerDay, rest = minutes % kPerDay;
  if (rest < 0) {
    rest += kPerDay;
    --days;
  }
  PlanTime t;
  civil::CivilFromDays(days, t.year, t.month, t.day);
  t.hour = static_cast<int>(rest / 60);
  t.minute = static_cast<int>(rest % 60);
  return t;
}

std::string FormatTimeText(const PlanTime& t) {
  return text::Format("%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
}

bool ParseTimeText(std::string_view text, PlanTime& t) {
  std::string s(text);
  PlanTime parsed;
  if (std::sscanf(s.c_str(), "%04d-%02d-%02d %02d:%02d", &parsed.year, &parsed.month,
                  &parsed.day, &parsed.hour, &parsed.minute) != 5)
    return false;
  t = parsed;
  return true;
}

std::string EncodeContent(std::string_view content) {
  if (content.empty()) return std::string(kEmptyContent);
  std::string out;
  out.reserve(content.size());
  for (size_t i = 0; i < content.size(); ++i) {
    char c = content[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
      out += kLineBreakEscape;
    } else {
      out += c;
    }
  }
  return out;
}

std::string DecodeContent(std::string_view stored) {
  // "NULL" is tested before the escapes, so a content of exactly those four
  // letters reads back empty.
  if (stored == kEmptyContent) return std::string();
  std::string out;
  size_t pos = 0;
  for (;;) {
    size_t hit = stored.find(kLineBreakEscape, pos);
    out.append(stored.substr(pos, hit == std::string_view::npos ? std::string_view::npos : hit - pos));
    if (hit == std::string_view::npos) break;
    out += "\r\n";
    pos = hit + kLineBreakEscape.size();
  }
  return out;
}

int ForEachPlanRecord(
    const std::string& path,
    const std::function<void(const std::string&, std::string, const std::string&)>& deliver) {
  CSectionFile file;
  if (file.Load(path, kMaxRecordFileBytes, CSectionFile::kReadPastNul) != 0)
    return file::Exists(path) ? kPlanFileUnreadable : kPlanFileMissing;
  bool damaged = !file.Exact();
  bool haveTime = false;
  std::string timeText, repeat, line;
  while (file.NextLine(line) == 0) {
    std::string_view view(line);
    if (view.substr(0, 2) == "//") {
      // Comments are skipped wherever they stand; a rule line belongs to the
      // record whose time line came last.
      if (haveTime && view.substr(0, kRepeatMarker.size()) == kRepeatMarker)
        repeat.assign(line, kRepeatMarker.size());
    } else if (view.substr(0, kTimeMarker.size()) == kTimeMarker) {
      if (haveTime) damaged = true;  // the previous record lost its content line
      timeText.assign(line, kTimeMarker.size());
      repeat.clear();
      haveTime = true;
    } else if (haveTime && view.substr(0, kContentMarker.size()) == kContentMarker) {
      deliver(timeText, DecodeContent(view.substr(kContentMarker.size())), repeat);
      haveTime = false;
    } else {
      damaged = true;  // skip to the next time line
      haveTime = false;
    }
  }
  if (haveTime) damaged = true;
  return damaged ? kPlanFileDamaged : kPlanFileRead;
}

int ForEachPlanRecord(const std::string& path,
                      const std::function<void(const std::string&, std::string)>& deliver) {
  return ForEachPlanRecord(path, [&](const std::string& timeText, std::string content, const std::string&) {
    deliver(timeText, std::move(content));
  });
}

int ReadPlanFile(std::vector<PlanRow>& rows, const std::string& path) {
  rows.clear();
  return ForEachPlanRecord(path, [&](const std::string& timeText, std::string content, const std::string& repeat) {
    rows.push_back({timeText, std::move(content), repeat});
  });
}

void RemoveStaleTempsOf(const std::string& path) {
  file::RemoveStaleTemps(path);
  file::RemoveStaleTemps(path + kPlanBackupSuffix);
}

int WritePlanFile(const std::vector<PlanRow>& rows, const std::string& path, PlanBackup backup) {
  RemoveStaleTempsOf(path);
  if (backup == kKeepOldAsBackup && file::Exists(path)) {
    std::string old;
    if (!file::ReadAll(path, old) || !file::WriteAtomic(path + kPlanBackupSuffix, old)) return 1;
  }
  std::string out;
  for (const PlanRow& row : rows) {
    out += kTimeMarker;
    out += row.timeText;
    out += "\r\n";
    // A rule text holds no line break (it was read from one line or made by
    // FormatRule); one that did would split the record, so it is not written.
    if (!row.repeat.empty() && row.repeat.find_first_of("\r\n") == std::string::npos) {
      out += kRepeatMarker;
      out += row.repeat;
      out += "\r\n";
    }
    out += kContentMarker;
    out += EncodeContent(row.content);
    out += "\r\n";
  }
  return file::WriteAtomic(path, text::ToGb(out)) ? 0 : 1;
}
