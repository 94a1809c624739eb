#include "plans/PlanList.h"

#include "common/CivilDate.h"
#include "common/Text.h"
#include "plans/RepeatRule.h"

const char* CPlanList::ColumnHeader(int column) {
  static const char* const kHeaders[kColumnCount] = {"是否选中", "计划时间", "计划内容"};
  return column >= 0 && column < kColumnCount ? kHeaders[column] : "";
}

int CPlanList::ColumnWidth(int column) {
  static const int kWidths[kColumnCount] = {60, 100, 400};
  return column >= 0 && column < kColumnCount ? kWidths[column] : 0;
}

namespace {

std::string TimeCell(const PlanRow& r, const MinuteTime& now, const CHolidayCalendar* holidays) {
  RepeatRule rule;
  MinuteTime start;
  if (r.repeat.empty() || !repeat::ParseRule(r.repeat, rule) || !ParseTimeText(r.timeText, start)) return r.timeText;
  std::string cell = r.timeText + " " + repeat::DescribeRule(rule);
  if (rule.kind != RepeatKind::kYearly && rule.kind != RepeatKind::kLunarYearly) return cell;
  static const CHolidayCalendar kNoHolidays;
  auto next = repeat::NextTime(rule, start, now, holidays ? *holidays : kNoHolidays);
  if (!next || !civil::IsValidDate(now.year, now.month, now.day)) return cell;
  const int64_t days = civil::DaysFromCivil(next->year, next->month, next->day) -
                       civil::DaysFromCivil(now.year, now.month, now.day);
  return cell + (days == 0 ? std::string(" 今天") : text::Format(" 还有 %d 天", static_cast<int>(days)));
}

}  // namespace

CPlanList::CPlanList(std::string path) : CCheckedRows(std::move(path)) {}

void CPlanList::SetClock(const MinuteTime& now, const CHolidayCalendar* holidays) {
  now_ = now;
  holidays_ = holidays;
}

bool CPlanList::AnyRepeats() const {
  for (const PlanRow& row : Rows())
    if (!row.repeat.empty()) return true;
  return false;
}

CPlanList::ReadOutcome CPlanList::Read(const std::string& path, std::vector<PlanRow>& rows) {
  int result = ReadPlanFile(rows, path);
  return {result, result == kPlanFileDamaged, result == kPlanFileUnreadable};
}

std::string CPlanList::CellText(int row, int column) const {
  const PlanRow& r = At(row);
  switch (column) {
    case kCheckColumn: return r.checked ? kCheckedText : kUncheckedText;
    case kTimeColumn: return TimeCell(r, now_, holidays_);
    case kContentColumn: return r.content;
    default: return std::string();
  }
}

int CPlanList::Add(const PlanEditData& edit) {
  return InsertByTime(PlanRow(FormatTimeText(edit.time), edit.content, edit.repeat), &PlanRow::timeText);
}

void CPlanList::ApplyChange(int row, const PlanEditData& edit) {
  ChangeRow(row, [&](PlanRow& r) { r.content = edit.content; });
}

bool CPlanList::Write(const std::string& path, const std::vector<PlanRow>& rows, RecordBackup backup) {
  const bool written = WritePlanFile(rows, path, backup) == 0;
  if (afterSave_) afterSave_();
  return written;
}
