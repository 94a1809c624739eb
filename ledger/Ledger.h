// The ledger window's list of one account: every entry of its entry file
// with a check mark, kept in time order as entries are added. Every command
// that changes the list rewrites the entry file. The report window reads
// the same rows. Load returns LoadLedger's result; after a damaged record
// was skipped, or the file could not be read, the first save keeps the old
// file as ".bak", and a file too large to open locks the ledger.
#pragma once
#include <string>
#include <vector>

#include "common/CheckedRows.h"
#include "ledger/LedgerEntryEdit.h"
#include "ledger/LedgerStore.h"

namespace ledger {

enum Column { kCheckColumn = 0, kTypeColumn, kTimeColumn, kAmountColumn, kRemarkColumn, kColumnCount };
const char* ColumnHeader(int column);  // "是否选中", "账目类型", "账目时间", "账目金额", "备注说明"
int ColumnWidth(int column);            // 60, 60, 120, 120, 200
std::string CellText(const LedgerRow& row, int column);
// type + "，时间：" + time + "，金额：" + amount, shown above the remark.
std::string InfoLine(const LedgerRow& row);

constexpr const char* kCheckedText = "选中";
constexpr const char* kUncheckedText = "未选中";

}  // namespace ledger

class CLedger : public CCheckedRows<ledger::LedgerRow> {
 public:
  static constexpr const char* kTooLargeToOpen = "账目文件太大,无法打开";

  explicit CLedger(std::string entryFilePath);

  // Inserts an accepted add-mode result by its time (see InsertByTime) and
  // saves. Returns the new row's index.
  int Add(const LedgerEntryEdit& edit);
  // Type, amount and remark of the row change; its time and place stay.
  void ApplyChange(int row, const LedgerEntryEdit& edit);

 private:
  ReadOutcome Read(const std::string& path, std::vector<ledger::LedgerRow>& rows) override;
  bool Write(const std::string& path, const std::vector<ledger::LedgerRow>& rows, RecordBackup backup) override;
};
