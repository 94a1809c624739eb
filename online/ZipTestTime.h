// The time python3's zipfile gives the entries of the test packages,
// date_time=(2001, 2, 3, 4, 5, 6): a local time, as a zip stores it.
#pragma once
#include <ctime>

inline std::time_t ZipTestEntryTime() {
  std::tm local{};
  local.tm_year = 101;
  local.tm_mon = 1;
  local.tm_mday = 3;
  local.tm_hour = 4;
  local.tm_min = 5;
  local.tm_sec = 6;
  local.tm_isdst = -1;
  return std::mktime(&local);
}
