#include "common/MinuteTime.h"

#include <cstdio>
#include <tuple>

#include "common/CivilDate.h"
#include "common/Text.h"

bool MinuteTime::operator<(const MinuteTime& o) const {
  return std::tie(year, month, day, hour, minute) <
         std::tie(o.year, o.month, o.day, o.hour, o.minute);
}

bool MinuteTime::operator==(const MinuteTime& o) const {
  return std::tie(year, month, day, hour, minute) ==
         std::tie(o.year, o.month, o.day, o.hour, o.minute);
}

int64_t MinutesOf(const MinuteTime& t) {
  return (civil::DaysFromCivil(t.year, t.month, t.day) * 24 + t.hour) * 60 + t.minute;
}

MinuteTime TimeOfMinutes(int64_t minutes) {
  constexpr int64_t kPerDay = 24 * 60;
  int64_t days = minutes / kPerDay, rest = minutes % kPerDay;
  if (rest < 0) {
    rest += kPerDay;
    --days;
  }
  MinuteTime t;
  civil::CivilFromDays(days, t.year, t.month, t.day);
  t.hour = static_cast<int>(rest / 60);
  t.minute = static_cast<int>(rest % 60);
  return t;
}

std::string FormatTimeText(const MinuteTime& t) {
  return text::Format("%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
}

bool ParseTimeText(std::string_view text, MinuteTime& t) {
  std::string s(text);
  MinuteTime parsed;
  if (std::sscanf(s.c_str(), "%04d-%02d-%02d %02d:%02d", &parsed.year, &parsed.month,
                  &parsed.day, &parsed.hour, &parsed.minute) != 5)
    return false;
  t = parsed;
  return true;
}
