#include "assistant/ShutdownSettings.h"

#include <cstdio>

#include "assistant/RecordStore.h"
#include "common/CivilDate.h"
#include "common/File.h"
#include "common/Text.h"

namespace {
// The file holds a few digits; more than this is not read.
constexpr size_t kMaxRead = 255;

bool ReadText(const std::string& programFolder, std::string& out) {
  file::FilePtr f = file::Open(programFolder + kShutdownPath, "rb");
  if (!f) return false;
  char buffer[kMaxRead + 1];
  size_t n = std::fread(buffer, 1, kMaxRead, f.get());
  out.assign(buffer, n);
  return true;
}
}  // namespace

int ShutdownStore::Load(const std::string& programFolder) {
  current_.armed = 0;
  current_.hour = -1;
  std::string content;
  if (!ReadText(programFolder, content)) return 1;
  current_.armed = 1;
  ParseShutdownTime(content, current_.hour, current_.minute, current_.third);
  return 0;
}

bool ShutdownStore::ReadTime(const std::string& programFolder, int& hour, int& minute) {
  std::string content;
  if (!ReadText(programFolder, content)) return false;
  int third = 0;
  ParseShutdownTime(content, hour, minute, third);
  return true;
}

bool ShutdownStore::Save(const std::string& programFolder, int hour, int minute) {
  return assistant::WriteRecordFile(programFolder, kShutdownPath, text::Format("%d,%d", hour, minute));
}

bool ShutdownStore::Remove(const std::string& programFolder) {
  const std::string path = programFolder + kShutdownPath;
  return file::Remove(path) || !file::Exists(path);
}

int ParseShutdownTime(const std::string& content, int& hour, int& minute, int& third) {
  int h = 0, m = 0, t = 0;
  int n = std::sscanf(content.c_str(), "%d,%d,%d", &h, &m, &t);
  if (n < 0) n = 0;
  hour = h;
  minute = m;
  // Nothing writes a third number; without one the value stays as it was.
  if (n >= 3) third = t;
  return n;
}

bool ShutdownSchedule::Due(const ShutdownSettings& settings, const LocalMinute& now) {
  if (!settings.armed || now.hour != settings.hour || now.minute != settings.minute) return false;
  int64_t today = civil::DaysFromCivil(now.year, now.month, now.day);
  if (today == usedDay_ && settings.hour == usedHour_ && settings.minute == usedMinute_) return false;
  usedDay_ = today;
  usedHour_ = settings.hour;
  usedMinute_ = settings.minute;
  return true;
}

int ShutdownSchedule::MinutesToNext(const ShutdownSettings& settings, const LocalMinute& now) {
  constexpr int kDay = 24 * 60;
  if (!settings.armed || settings.hour < 0 || settings.hour > 23 || settings.minute < 0 || settings.minute > 59)
    return 0;
  int ahead = (settings.hour * 60 + settings.minute - (now.hour * 60 + now.minute) + kDay) % kDay;
  return ahead == 0 ? kDay : ahead;
}
