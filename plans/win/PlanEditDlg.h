// The plan editor "计划编辑-Tolvana": five lists for the time, the repeat
// controls below them, and a box for the content. The caller fills data
// (change mode: the row's time, rule and content), runs DoModal and reads
// data back after IDOK.
#pragma once
#include "common/win/EditorDlg.h"
#include "plans/PlanEdit.h"

class CPlanEditDlg : public CEditorDlg {
 public:
  CPlanEditDlg();

  PlanEditData data;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void Save() override;

 private:
  void FillRepeatControls();
  PlanEditData::RepeatChoice ReadRepeatControls() const;
  // Shows the controls the chosen kind uses and the rule it makes of the
  // chosen time.
  void ShowRepeatChoice();
};
