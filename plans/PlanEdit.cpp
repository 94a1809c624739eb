#include "plans/PlanEdit.h"

#include <algorithm>

#include "common/CivilDate.h"
#include "common/Text.h"

namespace {

// First value and number of entries of each list.
struct ListRange {
  int first, count;
};
constexpr ListRange kRanges[PlanEditData::kListCount] = {
    {PlanEditData::kBaseYear, PlanEditData::kLastYear - PlanEditData::kBaseYear + 1},
    {1, 12},
    {1, 31},
    {0, 24},
    {0, 60},
};

int ValueOf(const PlanTime& t, PlanEditData::List list) {
  switch (list) {
    case PlanEditData::kYearList: return t.year;
    case PlanEditData::kMonthList: return t.month;
    case PlanEditData::kDayList: return t.day;
    case PlanEditData::kHourList: return t.hour;
    default: return t.minute;
  }
}

}  // namespace

void PlanEditData::StartAdd(const PlanTime& now) {
  mode = kAdd;
  time = now;
  time.year = std::clamp(time.year, kBaseYear, kLastYear);
  content.clear();
}

void PlanEditData::StartChange(const PlanRow& row) {
  mode = kChange;
  time = PlanTime{};
  ParseTimeText(row.timeText, time);  // a time that does not parse selects nothing
  content = row.content;
}

int PlanEditData::EntryCount(List list) { return kRanges[list].count; }

std::string PlanEditData::EntryText(List list, int index) {
  return text::Format("%d", kRanges[list].first + index);
}

int PlanEditData::SelectedIndex(List list) const {
  int index = ValueOf(time, list) - kRanges[list].first;
  return index >= 0 && index < kRanges[list].count ? index : -1;
}

std::string PlanEditData::ValueText(List list) const {
  return time.month > 0 ? text::Format("%d", ValueOf(time, list)) : std::string();
}

const char* PlanEditData::Accept(const int (&selection)[kListCount],
                                 const std::string& contentText) {
  if (mode == kAdd) {
    for (int list = 0; list < kListCount; ++list)
      if (selection[list] < 0 || selection[list] >= kRanges[list].count) return kNoTimeChosen;
    PlanTime chosen{kRanges[kYearList].first + selection[kYearList],
                    kRanges[kMonthList].first + selection[kMonthList],
                    kRanges[kDayList].first + selection[kDayList],
                    kRanges[kHourList].first + selection[kHourList],
                    kRanges[kMinuteList].first + selection[kMinuteList]};
    // A plan for 31 February would never come due on its day.
    if (!civil::IsValidDate(chosen.year, chosen.month, chosen.day)) return kNoSuchDay;
    time = chosen;
  }
  content = contentText;
  return nullptr;
}
