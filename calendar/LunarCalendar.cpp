#include "calendar/LunarCalendar.h"

#include <cstdint>

#include "common/CivilDate.h"

namespace {

#include "calendar/LunarTables.inc"

const char* const kStems[10] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
const char* const kBranches[12] = {"子", "丑", "寅", "卯", "辰", "巳",
                                   "午", "未", "申", "酉", "戌", "亥"};
const char* const kAnimals[12] = {"鼠", "牛", "虎", "兔", "龙", "蛇",
                                  "马", "羊", "猴", "鸡", "狗", "猪"};
const char* const kDayNames[31] = {
    "",     "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十",
    "廿一", "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十"};
const char* const kMonthNames[13] = {"",     "正月", "二月", "三月", "四月",   "五月",  "六月",
                                     "七月", "八月", "九月", "十月", "十一月", "十二月"};
const char* const kTermNames[24] = {"小寒", "大寒", "立春", "雨水", "惊蛰", "春分",
                                    "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
                                    "小暑", "大暑", "立秋", "处暑", "白露", "秋分",
                                    "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};

// Minutes from 小寒 of 1900 to each term in the mean year.
constexpr uint32_t kTermMinutes[24] = {
    0,      21208,  42467,  63836,  85337,  107014, 128867, 150921,
    173149, 195551, 218072, 240693, 263343, 285989, 308563, 331033,
    353350, 375494, 397447, 419210, 440795, 462224, 483532, 504758};

// 1900-01-31 is the first day of lunar 1900.
const int64_t kBaseDay = civil::DaysFromCivil(1900, 1, 31);

uint32_t Word(int year) {
  if (year < CLunarCalendar::kFirstYear || year > CLunarCalendar::kLastYear) return 0;
  return kYearWords[year - CLunarCalendar::kFirstYear];
}

int Mod(int a, int n) {
  int r = a % n;
  return r < 0 ? r + n : r;
}

}  // namespace

int CLunarCalendar::LeapMonth(int year) const { return Word(year) & 0xF; }

int CLunarCalendar::LeapMonthDays(int year) const {
  if (LeapMonth(year) == 0) return 0;
  return (Word(year) & 0x10000) ? 30 : 29;
}

int CLunarCalendar::MonthDays(int year, int month) const {
  if (month < 1 || month > 12 || Word(year) == 0) return 0;
  return (Word(year) & (0x10000u >> month)) ? 30 : 29;
}

int CLunarCalendar::YearDays(int year) const {
  int days = 0;
  for (int m = 1; m <= 12; ++m) days += MonthDays(year, m);
  return days + LeapMonthDays(year);
}

int CLunarCalendar::MeanSolarTermDay(int year, int n) {
  if (n < 0 || n > 23) return 0;
  // The steps and their truncations toward zero follow the published
  // formula, so that days near midnight come out as it gives them.
  double x = kTermMinutes[n] * 60.0 + (static_cast<double>(year) - 1900) * 31556925.9747;
  int64_t days = static_cast<int64_t>(x * (1.0 / 86400));
  x -= static_cast<double>(days) * 86400.0;
  int64_t hours = static_cast<int64_t>(x * (1.0 / 3600));
  x -= static_cast<double>(hours) * 3600.0;
  int64_t minutes = static_cast<int64_t>(x * (1.0 / 60));
  int64_t seconds = static_cast<int64_t>(x - static_cast<double>(minutes) * 60.0);

  // From 1900-01-06 02:05:00, counted in seconds.
  int64_t moment = civil::DaysFromCivil(1900, 1, 6) * 86400 + 2 * 3600 + 5 * 60 +
                   days * 86400 + hours * 3600 + minutes * 60 + seconds;
  int64_t day = moment / 86400 - (moment % 86400 < 0 ? 1 : 0);
  int y, m, d;
  civil::CivilFromDays(day, y, m, d);
  return d;
}

int CLunarCalendar::SolarTermDay(int year, int n) const {
  if (n < 0 || n > 23) return 0;
  const int64_t row = int64_t{year} - kTermTableFirstYear;
  if (row >= 0 && row < static_cast<int64_t>(sizeof kTermDays / sizeof kTermDays[0]))
    return kTermDays[row][n];
  return MeanSolarTermDay(year, n);
}

void CLunarCalendar::CyclicYearName(int k, std::string& name) const {
  name = kStems[Mod(k, 10)];
  name += kBranches[Mod(k, 12)];
}

const char* CLunarCalendar::SolarTermName(int n) { return n >= 0 && n < 24 ? kTermNames[n] : ""; }
const char* CLunarCalendar::LunarMonthName(int m) {
  return m >= 1 && m <= 12 ? kMonthNames[m] : "";
}
const char* CLunarCalendar::LunarDayName(int d) { return d >= 1 && d <= 30 ? kDayNames[d] : ""; }
const char* CLunarCalendar::AnimalName(int lunarYear) { return kAnimals[Mod(lunarYear - 4, 12)]; }

int CLunarCalendar::MonthDays(int year, int month, bool leapMonth) const {
  if (!leapMonth) return MonthDays(year, month);
  return month >= 1 && LeapMonth(year) == month ? LeapMonthDays(year) : 0;
}

bool CLunarCalendar::ToLunar(int64_t days, Date& lunar) const {
  int64_t offset = days - kBaseDay;
  if (offset < 0) return false;
  int ly = kFirstYear;
  while (ly <= kLastYear && offset >= YearDays(ly)) offset -= YearDays(ly++);
  if (ly > kLastYear) return false;

  // Months in order: 1 .. L, then the leap month (numbered like L), L+1 .. 12.
  const int leap = LeapMonth(ly);
  int lm = 1;
  bool inLeap = false;
  for (;;) {
    int length = MonthDays(ly, lm, inLeap);
    if (offset < length) break;
    offset -= length;
    if (!inLeap && lm == leap) {
      inLeap = true;
    } else {
      inLeap = false;
      ++lm;
    }
  }
  lunar = Date{ly, lm, static_cast<int>(offset) + 1, inLeap};
  return true;
}

bool CLunarCalendar::ToDays(const Date& lunar, int64_t& days) const {
  if (lunar.year < kFirstYear || lunar.year > kLastYear || lunar.month < 1 || lunar.month > 12) return false;
  const int length = MonthDays(lunar.year, lunar.month, lunar.leapMonth);
  if (lunar.day < 1 || lunar.day > length) return false;
  int64_t day = kBaseDay;
  for (int y = kFirstYear; y < lunar.year; ++y) day += YearDays(y);
  const int leap = LeapMonth(lunar.year);
  for (int m = 1; m < lunar.month; ++m) day += MonthDays(lunar.year, m) + (m == leap ? LeapMonthDays(lunar.year) : 0);
  if (lunar.leapMonth) day += MonthDays(lunar.year, lunar.month);
  days = day + lunar.day - 1;
  return true;
}

int CLunarCalendar::Convert(int year, int month, int day, int& lunarYear, int& lunarMonth,
                            int& lunarDay, std::string& cyclicName, std::string& animal,
                            std::string& dayText, int& isSolarTerm) const {
  lunarYear = lunarMonth = lunarDay = 0;
  cyclicName.clear();
  animal.clear();
  dayText.clear();
  isSolarTerm = 0;

  if (!civil::IsValidDate(year, month, day)) return 1;

  Date lunar;
  const bool inTable = ToLunar(civil::DaysFromCivil(year, month, day), lunar);
  if (inTable) {
    lunarYear = lunar.year;
    lunarMonth = lunar.month;
    lunarDay = lunar.day;
    CyclicYearName(lunar.year - 1864, cyclicName);
    animal = AnimalName(lunar.year);
  }

  // A solar term wins over the month name, which wins over the day name.
  for (int n = 2 * month - 2; n <= 2 * month - 1; ++n) {
    if (SolarTermDay(year, n) == day) {
      dayText = SolarTermName(n);
      isSolarTerm = 1;
      break;
    }
  }
  if (!isSolarTerm && inTable)
    dayText = lunarDay == 1 ? LunarMonthName(lunarMonth) : LunarDayName(lunarDay);
  return inTable ? 0 : 1;
}
