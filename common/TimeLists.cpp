#include "common/TimeLists.h"

#include <algorithm>

#include "common/Text.h"

namespace {

// First value and number of entries of each list.
struct ListRange {
  int first, count;
};
constexpr ListRange kRanges[TimeLists::kListCount] = {
    {TimeLists::kBaseYear, TimeLists::kLastYear - TimeLists::kBaseYear + 1},
    {1, 12},
    {1, 31},
    {0, 24},
    {0, 60},
};

int ValueOf(const MinuteTime& t, TimeLists::List list) {
  switch (list) {
    case TimeLists::kYearList: return t.year;
    case TimeLists::kMonthList: return t.month;
    case TimeLists::kDayList: return t.day;
    case TimeLists::kHourList: return t.hour;
    default: return t.minute;
  }
}

}  // namespace

int TimeLists::EntryCount(List list) { return kRanges[list].count; }

std::string TimeLists::EntryText(List list, int index) { return text::Format("%d", kRanges[list].first + index); }

void TimeLists::ShowNow(const MinuteTime& now) {
  time = now;
  time.year = std::clamp(time.year, kBaseYear, kLastYear);
}

int TimeLists::SelectedIndex(List list) const {
  int index = ValueOf(time, list) - kRanges[list].first;
  return index >= 0 && index < kRanges[list].count ? index : -1;
}

std::string TimeLists::ValueText(List list) const {
  return time.month > 0 ? text::Format("%d", ValueOf(time, list)) : std::string();
}

bool TimeLists::ChosenTime(const int (&selection)[kListCount], MinuteTime& chosen) {
  for (int list = 0; list < kListCount; ++list)
    if (selection[list] < 0 || selection[list] >= kRanges[list].count) return false;
  chosen = MinuteTime{kRanges[kYearList].first + selection[kYearList],
                      kRanges[kMonthList].first + selection[kMonthList],
                      kRanges[kDayList].first + selection[kDayList],
                      kRanges[kHourList].first + selection[kHourList],
                      kRanges[kMinuteList].first + selection[kMinuteList]};
  return true;
}
