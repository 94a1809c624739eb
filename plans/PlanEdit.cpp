#include "plans/PlanEdit.h"

#include "calendar/LunarCalendar.h"
#include "common/CivilDate.h"
#include "common/Text.h"

void PlanEditData::StartAdd(const MinuteTime& now) {
  mode = kAdd;
  ShowNow(now);
  content.clear();
  repeatChoice = RepeatChoice{};
  repeat.clear();
}

void PlanEditData::StartChange(const PlanRow& row) {
  mode = kChange;
  time = MinuteTime{};
  ParseTimeText(row.timeText, time);  // a time that does not parse selects nothing
  content = row.content;
  repeat = row.repeat;
  repeatChoice = RepeatChoice{};
  RepeatRule rule;
  if (!repeat.empty() && repeat::ParseRule(repeat, rule)) {
    repeatChoice.kind = rule.kind;
    repeatChoice.weekdays = rule.weekdays;
    repeatChoice.withLeapMonth = rule.withLeapMonth;
    if (rule.HasEnd()) repeatChoice.endText = text::Format("%04d-%02d-%02d", rule.endYear, rule.endMonth, rule.endDay);
  }
}

const char* PlanEditData::RepeatKindText(int index) {
  static const char* const kTexts[kRepeatKindCount] = {"不重复", "每天",   "工作日",   "每周",
                                                       "每月",   "每年",   "每月农历", "每年农历"};
  return index >= 0 && index < kRepeatKindCount ? kTexts[index] : "";
}

std::optional<RepeatRule> PlanEditData::MakeRule(const RepeatChoice& choice, const MinuteTime& start,
                                                 const char** message) {
  auto fail = [&](const char* why) -> std::optional<RepeatRule> {
    if (message) *message = why;
    return std::nullopt;
  };
  if (message) *message = nullptr;
  RepeatRule rule;
  rule.kind = choice.kind;
  if (!rule.Repeats()) return rule;
  if (!choice.endText.empty()) {
    MinuteTime end;
    std::string endText = choice.endText + " 00:00";
    if (choice.endText.size() != 10 || !ParseTimeText(endText, end) ||
        !civil::IsValidDate(end.year, end.month, end.day))
      return fail(kBadEndDate);
    rule.endYear = end.year;
    rule.endMonth = end.month;
    rule.endDay = end.day;
  }
  switch (rule.kind) {
    case RepeatKind::kWeekly:
      if (choice.weekdays == 0) return fail(kNoWeekdayChosen);
      rule.weekdays = choice.weekdays;
      break;
    case RepeatKind::kMonthly: rule.day = start.day; break;
    case RepeatKind::kYearly:
      rule.month = start.month;
      rule.day = start.day;
      break;
    case RepeatKind::kLunarMonthly:
    case RepeatKind::kLunarYearly: {
      CLunarCalendar::Date lunar;
      if (!civil::IsValidDate(start.year, start.month, start.day) ||
          !CLunarCalendar().ToLunar(civil::DaysFromCivil(start.year, start.month, start.day), lunar))
        return fail(kNoOccurrence);
      rule.month = rule.kind == RepeatKind::kLunarYearly ? lunar.month : 0;
      rule.day = lunar.day;
      rule.withLeapMonth = rule.kind == RepeatKind::kLunarYearly && choice.withLeapMonth;
      break;
    }
    default: break;
  }
  if (!rule.IsValid()) return fail(kNoOccurrence);
  return rule;
}

std::string PlanEditData::Describe(const RepeatChoice& choice, const MinuteTime& start) {
  auto rule = MakeRule(choice, start);
  return rule ? repeat::DescribeRule(*rule) : std::string();
}

const char* PlanEditData::Accept(const int (&selection)[kListCount],
                                 const std::string& contentText) {
  return Accept(selection, contentText, mode == kAdd ? RepeatChoice{} : repeatChoice, CHolidayCalendar());
}

const char* PlanEditData::Accept(const int (&selection)[kListCount], const std::string& contentText,
                                 const RepeatChoice& choice, const CHolidayCalendar& holidays) {
  if (mode == kAdd) {
    MinuteTime chosen;
    if (!ChosenTime(selection, chosen)) return kNoTimeChosen;
    // A plan for 31 February would never come due on its day.
    if (!civil::IsValidDate(chosen.year, chosen.month, chosen.day)) return kNoSuchDay;
    const char* message = nullptr;
    auto rule = MakeRule(choice, chosen, &message);
    if (!rule) return message;
    if (rule->Repeats()) {
      auto first = repeat::NextTime(*rule, chosen, chosen, holidays);
      if (!first) return kNoOccurrence;
      chosen = *first;
    }
    time = chosen;
    repeatChoice = choice;
    repeat = repeat::FormatRule(*rule);
  }
  content = contentText;
  return nullptr;
}
