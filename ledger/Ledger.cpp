#include "ledger/Ledger.h"

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


CLedger::CLedger(std::string entryFilePath) : CCheckedRows(std::move(entryFilePath)) {}

CLedger::ReadOutcome CLedger::Read(const std::string& path, std::vector<ledger::LedgerRow>& rows) {
  int result = ledger::LoadLedger(path, rows);
  // A file that is there but could not be read is kept whole beside the
  // first save, as a damaged one is.
  return {result, result == ledger::kLedgerDamaged || result == ledger::kLedgerUnreadable,
          result == ledger::kLedgerTooLarge};
}

int CLedger::Add(const LedgerEntryEdit& edit) { return InsertByTime(edit.ToRow(), &ledger::LedgerRow::time); }

void CLedger::ApplyChange(int row, const LedgerEntryEdit& edit) {
  const ledger::LedgerRow changed = edit.ToRow();
  ChangeRow(row, [&](ledger::LedgerRow& r) {
    r.type = changed.type;
    r.amount = changed.amount;
    r.remark = changed.remark;
  });
}

bool CLedger::Write(const std::string& path, const std::vector<ledger::LedgerRow>& rows, RecordBackup backup) {
  return ledger::SaveLedger(path, rows, backup == kKeepOldAsBackup) == 0;
}
