#include "assistant/ShutdownSettings.h"

#include <cstdio>

#include "common/CivilDate.h"
#include "common/File.h"
#include "common/Text.h"

void ShutdownSettings::ApplyBytes(std::string_view bytes) {
  armed = 1;
  ParseShutdownTime(std::string(bytes), hour, minute, third);
}

bool ShutdownSettings::Serialize(std::string& out) const {
  out = text::Format("%d,%d", hour, minute);
  return true;
}

bool CShutdownStore::Remove() {
  const std::string path = Path();
  if (!file::Remove(path) && file::Exists(path)) return false;
  current_.ApplyNoFile(Folder());
  return true;
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

bool CShutdownSchedule::Due(const ShutdownSettings& settings, const LocalMinute& now) {
  if (!settings.armed || now.hour != settings.hour || now.minute != settings.minute) return false;
  int64_t today = civil::DaysFromCivil(now.year, now.month, now.day);
  if (today == usedDay_ && settings.hour == usedHour_ && settings.minute == usedMinute_) return false;
  usedDay_ = today;
  usedHour_ = settings.hour;
  usedMinute_ = settings.minute;
  return true;
}

int CShutdownSchedule::MinutesToNext(const ShutdownSettings& settings, const LocalMinute& now) {
  constexpr int kDay = 24 * 60;
  if (!settings.armed || settings.hour < 0 || settings.hour > 23 || settings.minute < 0 || settings.minute > 59)
    return 0;
  int ahead = (settings.hour * 60 + settings.minute - (now.hour * 60 + now.minute) + kDay) % kDay;
  return ahead == 0 ? kDay : ahead;
}
