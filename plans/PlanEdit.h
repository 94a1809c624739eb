// The data of the plan editor: the chosen time and content, the entries of
// its five time lists, and the check made on "保存结果". The dialog copies
// between its controls and this struct and nothing more.
#pragma once
#include <string>

#include "plans/PlanStore.h"

struct PlanEditData {
  enum Mode { kAdd = 0, kChange = 1 };
  enum List { kYearList, kMonthList, kDayList, kHourList, kMinuteList, kListCount };

  static constexpr int kBaseYear = 2000;  // first entry of the year list
  static constexpr int kLastYear = 2049;
  static constexpr const char* kNoTimeChosen = "请选择计划时间";
  static constexpr const char* kNoSuchDay = "所选日期不存在";

  int mode = kAdd;
  PlanTime time;
  std::string content;

  // Add mode, the lists showing now (a year outside the list is moved to its
  // nearest entry).
  void StartAdd(const PlanTime& now);
  // Change mode for a row of the plan manager: its time and content. The
  // time lists are shown but cannot be changed.
  void StartChange(const PlanRow& row);
  bool TimeListsEnabled() const { return mode == kAdd; }

  static int EntryCount(List list);
  static std::string EntryText(List list, int index);  // "%d" of the entry's value
  // The entry that shows the current time in the list, -1 when none does.
  int SelectedIndex(List list) const;
  // The time's own value in the list's terms ("%d"), for a time no entry
  // shows (a year past the list's last); empty when the time did not parse.
  std::string ValueText(List list) const;

  // "保存结果" with the lists' selections (-1 = none) and the content box text.
  // Returns nullptr when accepted (time and content updated), else the message
  // to show; the dialog then stays open. In change mode only the content is
  // taken. A day that the month does not have is refused.
  const char* Accept(const int (&selection)[kListCount], const std::string& contentText);
};
