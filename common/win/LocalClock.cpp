#include "common/win/LocalClock.h"

#include <windows.h>

#include <cstdlib>

#include "common/CivilDate.h"

namespace {

// Whole minutes, so the clock's minutes still turn with the real ones.
int64_t ClockShift(const MinuteTime& real) {
  const char* fixed = std::getenv("VISTREL_CLOCK");
  MinuteTime t;
  if (!fixed || !ParseTimeText(fixed, t) || !civil::IsValidDate(t.year, t.month, t.day)) return 0;
  return MinutesOf(t) - MinutesOf(real);
}

}  // namespace

MinuteTime LocalNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const MinuteTime real{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
  static const int64_t shift = ClockShift(real);
  return shift == 0 ? real : TimeOfMinutes(MinutesOf(real) + shift);
}
