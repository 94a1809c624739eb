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
  std::sscanf(content.c_str(), "%d,%d,%d", &current_.hour, &current_.minute, &current_.third);
  return 0;
}

bool ShutdownStore::ReadTime(const std::string& programFolder, int& hour, int& minute) {
  std::string content;
  if (!ReadText(programFolder, content)) return false;
  hour = minute = 0;
  if (std::sscanf(content.c_str(), "%d,%d", &hour, &minute) != 2) hour = minute = 0;
  return true;
}

bool ShutdownStore::Save(const std::string& programFolder, int hour, int minute) {
  return assistant::WriteRecordFile(programFolder, kShutdownPath, text::Format("%d,%d", hour, minute));
}

bool ShutdownStore::Remove(const std::string& programFolder) {
  const std::string path = programFolder + kShutdownPath;
  return file::Remove(path) || !file::Exists(path);
}

bool ShutdownSchedule::Due(const ShutdownSettings& settings, const LocalMinute& now) {
  if (!settings.armed || now.hour != settings.hour || now.minute != settings.minute) return false;
  int64_t today = civil::DaysFromCivil(now.year, now.month, now.day);
  if (today == usedDay_) return false;
  usedDay_ = today;
  return true;
}
