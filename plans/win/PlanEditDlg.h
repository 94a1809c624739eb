// The plan editor "计划编辑-Tolvana": five lists for the time and a box for
// the content. The caller fills data (change mode: the row's time and
// content), runs DoModal and reads data back after IDOK.
#pragma once
#include "common/win/EditorDlg.h"
#include "plans/PlanEdit.h"

class CPlanEditDlg : public CEditorDlg {
 public:
  CPlanEditDlg();

  PlanEditData data;

 protected:
  BOOL OnInitDialog() override;
  void Save() override;
};
