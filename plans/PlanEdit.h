// The data of the plan editor: the chosen time (in its five time lists) and
// content, and the check made on "保存结果". The dialog copies
// between its controls and this struct and nothing more.
#pragma once
#include <optional>
#include <string>

#include "calendar/HolidayCalendar.h"
#include "common/TimeLists.h"
#include "plans/PlanStore.h"
#include "plans/RepeatRule.h"

struct PlanEditData : TimeLists {
  static constexpr const char* kNoTimeChosen = "请选择计划时间";
  static constexpr const char* kNoSuchDay = "所选日期不存在";

  static constexpr const char* kNoWeekdayChosen = "请选择每周的哪几天";
  static constexpr const char* kBadEndDate = "截止日期应为YYYY-MM-DD";
  static constexpr const char* kNoOccurrence = "截止日期前没有符合规则的日子";

  // What the repeat controls below the time lists show. The dates of the
  // rule come from the chosen time: its day of the month, its month and day,
  // or its lunar month and day.
  struct RepeatChoice {
    RepeatKind kind = RepeatKind::kOnce;
    unsigned weekdays = 0;  // 每周: repeat::WeekdayBit of each chosen weekday
    bool withLeapMonth = false;
    std::string endText;  // "YYYY-MM-DD" or empty: no end
  };
  static constexpr int kRepeatKindCount = 8;
  // The repeat list's entries, in RepeatKind order: "不重复" ... "每年农历".
  static const char* RepeatKindText(int index);

  std::string content;
  RepeatChoice repeatChoice;
  std::string repeat;  // the rule text stored with the plan; empty: a one-time plan

  // The rule the choice makes for a plan starting at start; message says
  // why there is none (nullptr and kOnce for "不重复").
  static std::optional<RepeatRule> MakeRule(const RepeatChoice& choice, const MinuteTime& start,
                                            const char** message = nullptr);
  // What the editor shows beside the repeat list: the rule in words, empty
  // when the choice makes none.
  static std::string Describe(const RepeatChoice& choice, const MinuteTime& start);

  // Add mode, the lists showing now (a year outside the list is moved to its
  // nearest entry).
  void StartAdd(const MinuteTime& now);
  // Change mode for a row of the plan manager: its time and content. The
  // time lists are shown but cannot be changed.
  void StartChange(const PlanRow& row);

  // "保存结果" with the lists' selections (-1 = none) and the content box text.
  // Returns nullptr when accepted (time and content updated), else the message
  // to show; the dialog then stays open. In change mode only the content is
  // taken. A day that the month does not have is refused.
  const char* Accept(const int (&selection)[kListCount], const std::string& contentText);
  // The same with the repeat controls: a repeating plan is stored at its
  // first occurrence at or after the chosen time, so that a version without
  // rules reads it as a one-time plan then.
  const char* Accept(const int (&selection)[kListCount], const std::string& contentText,
                     const RepeatChoice& choice, const CHolidayCalendar& holidays);
};
