// The model of a list whose rows carry a check mark each (the plan manager's
// and the ledger window's): the rows of one record file, read whole, each
// starting unchecked. A click flips a row's mark, new rows go in by time,
// the checked rows are deleted, and every change rewrites the file. After a
// read that skipped damaged records the first save keeps the old file as
// ".bak"; a file that the read could not take is never saved over. When a
// save fails the rows stay, for the next save to write them all.
#pragma once
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "common/RecordFile.h"
#include "common/Text.h"

template <class Row>  // a row has a bool checked, which is never stored
class CCheckedRows {
 public:
  static constexpr const char* kSelectRowToChange = "请选择需要修改的项目";
  static constexpr const char* kCheckRowsToDelete = "请先选择要删除的项";

  virtual ~CCheckedRows() = default;

  // Reads the file; returns the reader's result (see Read).
  int Load() {
    RemoveStaleTempsOf(path_);
    rows_.clear();
    const ReadOutcome read = Read(path_, rows_);
    backupBeforeSave_ = read.damaged;
    locked_ = read.locked;
    return read.result;
  }
  // The file was there but not read: the list stays empty and nothing is
  // saved over the file.
  bool Locked() const { return locked_; }

  int Count() const { return static_cast<int>(rows_.size()); }
  const Row& At(int row) const { return rows_[static_cast<size_t>(row)]; }
  const std::vector<Row>& Rows() const { return rows_; }

  // A click on a cell: false when no row was hit. A click in the check
  // column, the first, flips the row's mark.
  bool Click(int row, int column) {
    if (!Has(row)) return false;
    if (column == 0) rows_[static_cast<size_t>(row)].checked ^= true;
    return true;
  }

  // The editor data for changing the selected row (-1 = none), through
  // edit.StartChange(row). Returns the message to show when no row is
  // selected, else nullptr.
  template <class Edit>
  const char* PrepareChange(int selectedRow, Edit& edit) const {
    if (!Has(selectedRow)) return kSelectRowToChange;
    edit.StartChange(At(selectedRow));
    return nullptr;
  }

  // Deletes the checked rows, whatever the selection, and saves. Returns the
  // message to show when nothing was deleted, else nullptr.
  const char* DeleteChecked() {
    const size_t before = rows_.size();
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(), [](const Row& r) { return r.checked; }), rows_.end());
    if (rows_.size() == before) return kCheckRowsToDelete;
    Save();
    return nullptr;
  }

  // The last save left the file as it was (disk full, no rights): the rows
  // in the window are not on disk.
  bool SaveFailed() const { return saveFailed_; }

 protected:
  struct ReadOutcome {
    int result;    // what Load returns
    bool damaged;  // the first save keeps the old file as ".bak"
    bool locked;   // see Locked
  };

  explicit CCheckedRows(std::string path) : path_(std::move(path)) {}

  // Appends the file's rows, unchecked, to rows (empty).
  virtual ReadOutcome Read(const std::string& path, std::vector<Row>& rows) = 0;
  // Rewrites the file whole; true when written.
  virtual bool Write(const std::string& path, const std::vector<Row>& rows, RecordBackup backup) = 0;

  bool Has(int row) const { return row >= 0 && row < Count(); }

  // Inserts row before the first whose time text is greater (ASCII case
  // ignored), so after the rows of the same time, and saves. Returns the new
  // row's index.
  int InsertByTime(Row row, std::string Row::*timeText) {
    auto at = std::find_if(rows_.begin(), rows_.end(),
                           [&](const Row& r) { return text::CompareNoCase(r.*timeText, row.*timeText) > 0; });
    const int index = static_cast<int>(at - rows_.begin());
    rows_.insert(at, std::move(row));
    Save();
    return index;
  }

  // change(row) on an existing row, then the save; nothing for no row.
  template <class Change>
  void ChangeRow(int row, Change change) {
    if (!Has(row)) return;
    change(rows_[static_cast<size_t>(row)]);
    Save();
  }

 private:
  void Save() {
    if (locked_) {
      saveFailed_ = true;
      return;
    }
    saveFailed_ = !Write(path_, rows_, backupBeforeSave_ ? kKeepOldAsBackup : kNoBackup);
    if (!saveFailed_) backupBeforeSave_ = false;
  }

  std::string path_;
  std::vector<Row> rows_;
  bool backupBeforeSave_ = false;
  bool locked_ = false;
  bool saveFailed_ = false;
};
