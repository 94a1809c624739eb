// Gregorian calendar arithmetic on plain year, month and day numbers
// (proleptic Gregorian, month 1-12).
#pragma once
#include <cstdint>

namespace civil {

// Days from 1970-01-01 to the date; negative before it.
int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(int64_t days, int& year, int& month, int& day);

// 1 = Sunday ... 7 = Saturday.
int Weekday(int year, int month, int day);

bool IsLeapYear(int year);
// Days of the month; 0 for a month outside 1-12.
int DaysInMonth(int year, int month);
// The date exists in the calendar.
bool IsValidDate(int year, int month, int day);

}  // namespace civil
