// The plan manager's list: one row per plan record with a check mark, kept
// in file order, new plans inserted in time order. Every command that
// changes the list rewrites the plan file and then calls the after-save
// hook (the frame's ReloadPlans). Load returns ReadPlanFile's result; after
// damaged lines were skipped the first save keeps the old file as
// plan.ini.bak, and a file that is there but cannot be read locks the list.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "common/CheckedRows.h"
#include "plans/PlanEdit.h"
#include "plans/PlanStore.h"

class CPlanList : public CCheckedRows<PlanRow> {
 public:
  static constexpr const char* kCheckedText = "选中";
  static constexpr const char* kUncheckedText = "未选中";
  static constexpr const char* kCannotRead = "计划文件无法读取";
  enum Column { kCheckColumn = 0, kTimeColumn = 1, kContentColumn = 2, kColumnCount = 3 };
  static const char* ColumnHeader(int column);  // "是否选中", "计划时间", "计划内容"
  static int ColumnWidth(int column);            // 60, 100, 400

  explicit CPlanList(std::string path = kPlanFilePath);
  void SetAfterSave(std::function<void()> afterSave) { afterSave_ = std::move(afterSave); }

  // The day from which the time column counts the days to a yearly plan's
  // next time, and the holidays that its working days follow.
  void SetClock(const MinuteTime& now, const CHolidayCalendar* holidays);

  // The time column shows a repeating plan's rule beside its time, and for
  // a yearly series the days to its next time: "2025-10-06 20:00 每年农历八月十五 还有 354 天".
  // The window shows At(row) below the list.
  std::string CellText(int row, int column) const;
  bool AnyRepeats() const;

  // Inserts an accepted add-mode editor result by its time (see
  // InsertByTime) and saves. Returns the new row's index.
  int Add(const PlanEditData& edit);
  // Replaces the row's content (its time and place stay) and saves.
  void ApplyChange(int row, const PlanEditData& edit);

 private:
  ReadOutcome Read(const std::string& path, std::vector<PlanRow>& rows) override;
  // Writes, then calls the after-save hook (the frame's ReloadPlans).
  bool Write(const std::string& path, const std::vector<PlanRow>& rows, RecordBackup backup) override;

  std::function<void()> afterSave_;
  MinuteTime now_;
  const CHolidayCalendar* holidays_ = nullptr;
};
