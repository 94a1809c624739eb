// The plan manager's list: one row per plan record with a check mark, kept
// in file order, new plans inserted in time order. Every command that
// changes the list rewrites the plan file and then calls the after-save
// hook (the frame's ReloadPlans).
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "plans/PlanEdit.h"
#include "plans/PlanStore.h"

class CPlanList {
 public:
  struct Row {
    bool checked = false;
    std::string timeText;
    std::string content;  // the full content, saved and shown below the list
    std::string repeat;   // the stored rule text; empty for a one-time plan
  };

  static constexpr const char* kCheckedText = "选中";
  static constexpr const char* kUncheckedText = "未选中";
  static constexpr const char* kSelectRowToChange = "请选择需要修改的项目";
  static constexpr const char* kCheckRowsToDelete = "请先选择要删除的项";
  static constexpr const char* kCannotRead = "计划文件无法读取";
  enum Column { kCheckColumn = 0, kTimeColumn = 1, kContentColumn = 2, kColumnCount = 3 };
  static const char* ColumnHeader(int column);  // "是否选中", "计划时间", "计划内容"
  static int ColumnWidth(int column);            // 60, 100, 400

  explicit CPlanList(std::string path = kPlanFilePath);
  void SetAfterSave(std::function<void()> afterSave) { afterSave_ = std::move(afterSave); }

  // Reads the plan file; every row starts unchecked. Returns ReadPlanFile's
  // result. After damaged lines were skipped, the first save keeps the old
  // file as plan.ini.bak. A file that is there but cannot be read locks the
  // list: it stays empty and nothing is saved over the file.
  int Load();
  bool Locked() const { return locked_; }

  // The day from which the time column counts the days to a yearly plan's
  // next time, and the holidays that its working days follow.
  void SetClock(const PlanTime& now, const CHolidayCalendar* holidays);

  int Count() const { return static_cast<int>(rows_.size()); }
  const Row& At(int row) const { return rows_[row]; }
  // The time column shows a repeating plan's rule beside its time, and for
  // a yearly series the days to its next time: "2025-10-06 20:00 每年农历八月十五 还有 354 天".
  std::string CellText(int row, int column) const;
  bool AnyRepeats() const;

  // A click on a cell: false when no row was hit. A click in the check
  // column flips the row's mark; the window shows At(row) below the list.
  bool Click(int row, int column);

  // Inserts an accepted add-mode editor result before the first row whose
  // time text is greater (ASCII case ignored), so after plans of the same
  // time; saves. Returns the new row's index.
  int Add(const PlanEditData& edit);

  // The editor data for changing the selected row (-1 = none). Returns the
  // message to show when no row is selected, else nullptr.
  const char* PrepareChange(int selectedRow, PlanEditData& edit) const;
  // Replaces the row's content (its time and place stay) and saves.
  void ApplyChange(int row, const PlanEditData& edit);

  // Deletes the checked rows, whatever the selection, and saves. Returns the
  // message to show when nothing was deleted, else nullptr.
  const char* DeleteChecked();
  // The last save left the plan file as it was (disk full, no rights): the
  // rows in the window are not on disk.
  bool SaveFailed() const { return saveFailed_; }

 private:
  void Save();

  std::string path_;
  std::vector<Row> rows_;
  bool backupBeforeSave_ = false;
  bool locked_ = false;
  bool saveFailed_ = false;
  std::function<void()> afterSave_;
  PlanTime now_;
  const CHolidayCalendar* holidays_ = nullptr;
};
