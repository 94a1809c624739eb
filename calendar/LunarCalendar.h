// Chinese lunar calendar for the Gregorian dates 1900-01-31 to 2050-01-22:
// lunar date, cyclic year name, zodiac animal, and the day text the calendar
// shows (a solar term name, a month name on the first day of a lunar month,
// otherwise the lunar day name). Pure computation over constant tables.
// Texts are UTF-8.
#pragma once
#include <cstdint>
#include <string>

class CLunarCalendar {
 public:
  static constexpr int kFirstYear = 1900;  // lunar years held by the table
  static constexpr int kLastYear = 2049;

  // Leap month of the lunar year, 1-12, or 0 when it has none.
  int LeapMonth(int year) const;
  // 29 or 30; 0 when the year has no leap month.
  int LeapMonthDays(int year) const;
  // 29 or 30 for the ordinary month 1-12.
  int MonthDays(int year, int month) const;
  int YearDays(int year) const;

  // Day of the month (1-31) of solar term n (0 = 小寒 ... 23 = 冬至) in the
  // Gregorian year; term n falls in month n / 2 + 1. Years 1901-2049 come
  // from the table of true days, other years from MeanSolarTermDay.
  int SolarTermDay(int year, int n) const;
  // The mean-year estimate: minute offsets from 1900-01-06 02:05, years of
  // 31556925.9747 seconds. Up to a day off near midnight.
  static int MeanSolarTermDay(int year, int n);

  // Stem and branch of k; callers pass k = lunar year - 1864.
  void CyclicYearName(int k, std::string& name) const;

  // Converts a Gregorian date. Returns 0 for dates from 1900-01-31 to
  // 2050-01-22. Outside them it returns 1, the lunar fields are 0, the names
  // empty, and the day text is the solar term name if the day is one. A date
  // that does not exist (30 February, month 13, day 0) returns 1 with every
  // result 0 or empty.
  int Convert(int year, int month, int day, int& lunarYear, int& lunarMonth, int& lunarDay,
              std::string& cyclicName, std::string& animal, std::string& dayText,
              int& isSolarTerm) const;

  // A lunar date that tells the leap month from the ordinary month of the
  // same number, which Convert does not.
  struct Date {
    int year = 0, month = 0, day = 0;
    bool leapMonth = false;
  };
  // The lunar date of a day (days from 1970-01-01); false outside the table.
  bool ToLunar(int64_t days, Date& lunar) const;
  // The day of a lunar date; false when the year lies outside the table, the
  // year has no such leap month, or the month has no such day.
  bool ToDays(const Date& lunar, int64_t& days) const;
  // 29 or 30 for the ordinary or the leap month; 0 when there is none.
  int MonthDays(int year, int month, bool leapMonth) const;

  static const char* SolarTermName(int n);    // n 0-23
  static const char* LunarMonthName(int m);   // m 1-12; "" otherwise
  static const char* LunarDayName(int d);     // d 1-30; "" otherwise
  static const char* AnimalName(int lunarYear);
};
