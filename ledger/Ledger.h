// The ledger window's list of one account: every entry of its entry file
// with a check mark, kept in time order as entries are added. Every command
// that changes the list rewrites the entry file. The report window reads
// the same rows.
#pragma once
#include <string>
#include <vector>

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

class CLedger {
 public:
  static constexpr const char* kSelectRowToChange = "请选择需要修改的项目";
  static constexpr const char* kCheckRowsToDelete = "请先选择要删除的项";
  static constexpr const char* kTooLargeToOpen = "账目文件太大,无法打开";

  explicit CLedger(std::string entryFilePath);

  // Reads the entry file; every row starts unchecked. Returns LoadLedger's
  // result. After a damaged record was skipped, the first save keeps the
  // old file as ".bak". A file too large to open locks the ledger: it stays
  // empty and nothing is saved over the file.
  int Load();
  bool Locked() const { return locked_; }

  int Count() const { return static_cast<int>(rows_.size()); }
  const ledger::LedgerRow& At(int row) const { return rows_[static_cast<size_t>(row)]; }
  const std::vector<ledger::LedgerRow>& Rows() const { return rows_; }

  // A click on a cell: false when no row was hit; in the check column the
  // row's mark flips.
  bool Click(int row, int column);

  // Inserts an accepted add-mode result before the first row whose time text
  // is greater (ASCII case ignored), so after entries of the same minute;
  // saves. Returns the new row's index.
  int Add(const LedgerEntryEdit& edit);
  // The editor data for changing the selected row (-1 = none); the message
  // to show when none is selected, else nullptr.
  const char* PrepareChange(int selectedRow, LedgerEntryEdit& edit) const;
  // Type, amount and remark of the row change; its time and place stay.
  void ApplyChange(int row, const LedgerEntryEdit& edit);
  // Deletes the checked rows and saves; the message to show when none was
  // checked, else nullptr.
  const char* DeleteChecked();
  // The last save left the entry file as it was (disk full, no rights): the
  // rows in the window are not on disk.
  bool SaveFailed() const { return saveFailed_; }

 private:
  void Save();

  std::string path_;
  std::vector<ledger::LedgerRow> rows_;
  bool backupBeforeSave_ = false;
  bool locked_ = false;
  bool saveFailed_ = false;
};
