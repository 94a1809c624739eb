#include "plans/PlanList.h"

#include <algorithm>

#include "common/Text.h"

const char* CPlanList::ColumnHeader(int column) {
  static const char* const kHeaders[kColumnCount] = {"是否选中", "计划时间", "计划内容"};
  return column >= 0 && column < kColumnCount ? kHeaders[column] : "";
}

int CPlanList::ColumnWidth(int column) {
  static const int kWidths[kColumnCount] = {60, 100, 400};
  return column >= 0 && column < kColumnCount ? kWidths[column] : 0;
}

CPlanList::CPlanList(std::string path) : path_(std::move(path)) {}

int CPlanList::Load() {
  RemoveStaleTempsOf(path_);
  std::vector<PlanRow> records;
  int result = ReadPlanFile(records, path_);
  rows_.clear();
  for (PlanRow& record : records)
    rows_.push_back({false, std::move(record.timeText), std::move(record.content)});
  backupBeforeSave_ = result == kPlanFileDamaged;
  locked_ = result == kPlanFileUnreadable;
  return result;
}

std::string CPlanList::CellText(int row, int column) const {
  const Row& r = rows_[row];
  switch (column) {
    case kCheckColumn: return r.checked ? kCheckedText : kUncheckedText;
    case kTimeColumn: return r.timeText;
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
  rows_.insert(rows_.begin() + at, Row{false, timeText, edit.content});
  Save();
  return at;
}

const char* CPlanList::PrepareChange(int selectedRow, PlanEditData& edit) const {
  if (selectedRow < 0 || selectedRow >= Count()) return kSelectRowToChange;
  edit.StartChange({rows_[selectedRow].timeText, rows_[selectedRow].content});
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
  for (const Row& row : rows_) records.push_back({row.timeText, row.content});
  saveFailed_ = WritePlanFile(records, path_, backupBeforeSave_ ? kKeepOldAsBackup : kNoBackup) != 0;
  if (!saveFailed_) backupBeforeSave_ = false;
  if (afterSave_) afterSave_();
}
