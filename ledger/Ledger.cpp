#include "ledger/Ledger.h"

#include <algorithm>

#include "common/Text.h"

namespace ledger {

const char* ColumnHeader(int column) {
  static const char* const kHeaders[kColumnCount] = {"是否选中", "账目类型", "账目时间", "账目金额", "备注说明"};
  return column >= 0 && column < kColumnCount ? kHeaders[column] : "";
}

int ColumnWidth(int column) {
  static const int kWidths[kColumnCount] = {60, 60, 120, 120, 200};
  return column >= 0 && column < kColumnCount ? kWidths[column] : 0;
}

std::string CellText(const LedgerRow& row, int column) {
  switch (column) {
    case kCheckColumn: return row.checked ? kCheckedText : kUncheckedText;
    case kTypeColumn: return row.type;
    case kTimeColumn: return row.time;
    case kAmountColumn: return row.amount;
    case kRemarkColumn: return row.remark;
    default: return std::string();
  }
}

std::string InfoLine(const LedgerRow& row) {
  return row.type + "，时间：" + row.time + "，金额：" + row.amount;
}

}  // namespace ledger


CLedger::CLedger(std::string entryFilePath) : path_(std::move(entryFilePath)) {}

int CLedger::Load() {
  rows_.clear();
  RemoveStaleTempsOf(path_);
  int result = ledger::LoadLedger(path_, rows_);
  // A file that is there but could not be read is kept whole beside the
  // first save, as a damaged one is.
  backupBeforeSave_ = result == ledger::kLedgerDamaged || result == ledger::kLedgerUnreadable;
  locked_ = result == ledger::kLedgerTooLarge;
  return result;
}

bool CLedger::Click(int row, int column) {
  if (row < 0 || row >= Count()) return false;
  if (column == ledger::kCheckColumn) rows_[static_cast<size_t>(row)].checked ^= true;
  return true;
}

int CLedger::Add(const LedgerEntryEdit& edit) {
  ledger::LedgerRow row = edit.ToRow();
  auto at = std::find_if(rows_.begin(), rows_.end(),
                         [&](const ledger::LedgerRow& r) { return text::CompareNoCase(r.time, row.time) > 0; });
  int index = static_cast<int>(at - rows_.begin());
  rows_.insert(at, std::move(row));
  Save();
  return index;
}

const char* CLedger::PrepareChange(int selectedRow, LedgerEntryEdit& edit) const {
  if (selectedRow < 0 || selectedRow >= Count()) return kSelectRowToChange;
  edit.StartChange(At(selectedRow));
  return nullptr;
}

void CLedger::ApplyChange(int row, const LedgerEntryEdit& edit) {
  if (row < 0 || row >= Count()) return;
  ledger::LedgerRow changed = edit.ToRow();
  ledger::LedgerRow& r = rows_[static_cast<size_t>(row)];
  r.type = changed.type;
  r.amount = changed.amount;
  r.remark = changed.remark;
  Save();
}

const char* CLedger::DeleteChecked() {
  size_t before = rows_.size();
  rows_.erase(std::remove_if(rows_.begin(), rows_.end(), [](const ledger::LedgerRow& r) { return r.checked; }),
              rows_.end());
  if (rows_.size() == before) return kCheckRowsToDelete;
  Save();
  return nullptr;
}

void CLedger::Save() {
  if (locked_) {
    saveFailed_ = true;
    return;
  }
  saveFailed_ = ledger::SaveLedger(path_, rows_, backupBeforeSave_) != 0;
  if (!saveFailed_) backupBeforeSave_ = false;
}
