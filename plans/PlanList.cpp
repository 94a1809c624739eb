#include "plans/PlanList.h"

#include <algorithm>

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

std::string TimeCell(const CPlanList::Row& r, const PlanTime& now, const CHolidayCalendar* holidays) {
  RepeatRule rule;
  PlanTime start;
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

CPlanList::CPlanList(std::string path) : path_(std::move(path)) {}

void CPlanList::SetClock(const PlanTime& now, const CHolidayCalendar* holidays) {
  now_ = now;
  holidays_ = holidays;
}

bool CPlanList::AnyRepeats() const {
  for (const Row& row : rows_)
    if (!row.repeat.empty()) return true;
  return false;
}

int CPlanList::Load() {
  RemoveStaleTempsOf(path_);
  std::vector<PlanRow> records;
  int result = ReadPlanFile(records, path_);
  rows_.clear();
  for (PlanRow& record : records)
    rows_.push_back({false, std::move(record.timeText), std::move(record.content), std::move(record.repeat)});
  backupBeforeSave_ = result == kPlanFileDamaged;
  locked_ = result == kPlanFileUnreadable;
  return result;
}

std::string CPlanList::CellText(int row, int column) const {
  const Row& r = rows_[row];
  switch (column) {
    case kCheckColumn: return r.checked ? kCheckedText : kUncheckedText;
    case kTimeColumn: return TimeCell(r, now_, holidays_);
    case kContentColumn: return r.content;
    default: return std::string();
  }
}

bool CPlanList::Click(int row, int column) {
  if (row < 0 || row >= Count()) return false;
  if (column == kCheckColumn) rows_[row].checked = !rows_[row].checked;
  return true;
}

int CPlanList::Add(const PlanEditData& edit) {
  std::string timeText = FormatTimeText(edit.time);
  int at = 0;
  while (at < Count() && text::CompareNoCase(rows_[at].timeText, timeText) <= 0) ++at;
  rows_.insert(rows_.begin() + at, Row{false, timeText, edit.content, edit.repeat});
  Save();
  return at;
}

const char* CPlanList::PrepareChange(int selectedRow, PlanEditData& edit) const {
  if (selectedRow < 0 || selectedRow >= Count()) return kSelectRowToChange;
  const Row& r = rows_[selectedRow];
  edit.StartChange({r.timeText, r.content, r.repeat});
  return nullptr;
}

void CPlanList::ApplyChange(int row, const PlanEditData& edit) {
  if (row < 0 || row >= Count()) return;
  rows_[row].content = edit.content;
  Save();
}

const char* CPlanList::DeleteChecked() {
  size_t before = rows_.size();
  std::vector<Row> kept;
  for (Row& row : rows_)
    if (!row.checked) kept.push_back(std::move(row));
  rows_ = std::move(kept);
  if (rows_.size() == before) return kCheckRowsToDelete;
  Save();
  return nullptr;
}

void CPlanList::Save() {
  std::vector<PlanRow> records;
  if (locked_) {
    saveFailed_ = true;
    return;
  }
  for (const Row& row : rows_) records.push_back({row.timeText, row.content, row.repeat});
  saveFailed_ = WritePlanFile(records, path_, backupBeforeSave_ ? kKeepOldAsBackup : kNoBackup) != 0;
  if (!saveFailed_) backupBeforeSave_ = false;
  if (afterSave_) afterSave_();
}
