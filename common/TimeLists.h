// The five drop-down lists, year to minute, in which the plan and ledger
// editors choose a time: their entries, and the entry each shows for a time.
// Adding, the lists choose the time; changing, they show the row's time and
// cannot be changed. The editors' data derive from this struct; their
// dialogs fill the lists from it.
#pragma once
#include <string>

#include "common/MinuteTime.h"

struct TimeLists {
  enum Mode { kAdd = 0, kChange = 1 };
  enum List { kYearList, kMonthList, kDayList, kHourList, kMinuteList, kListCount };

  static constexpr int kBaseYear = 2000;  // first entry of the year list
  static constexpr int kLastYear = 2049;

  int mode = kAdd;
  MinuteTime time;  // the time the lists show

  bool TimeListsEnabled() const { return mode == kAdd; }

  static int EntryCount(List list);
  static std::string EntryText(List list, int index);  // "%d" of the entry's value

  // Shows now; a year outside the list is moved to its nearest entry.
  void ShowNow(const MinuteTime& now);
  // The entry that shows the time in the list, -1 when none does.
  int SelectedIndex(List list) const;
  // The time's own value in the list's terms ("%d"), for a time no entry
  // shows (a year past the list's last); empty when the time did not parse.
  std::string ValueText(List list) const;

  // The time of the lists' selections (-1 = none); false, chosen untouched,
  // when a list has no entry selected.
  static bool ChosenTime(const int (&selection)[kListCount], MinuteTime& chosen);
};
