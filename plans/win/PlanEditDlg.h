// The plan editor "计划编辑-Tolvana": five lists for the time and a box for
// the content. The caller fills data (change mode: the row's time and
// content), runs DoModal and reads data back after IDOK.
#pragma once
#include "common/win/SkinButton.h"
#include "plans/PlanEdit.h"
#include "win/Dialog.h"

class CPlanEditDlg : public win::Dialog {
 public:
  CPlanEditDlg();

  PlanEditData data;

 protected:
  BOOL OnInitDialog() override;
  bool OnButtonClicked(int id) override;
  // Enter outside the content box saves, as "保存结果" does.
  void OnOK() override { Save(); }

 private:
  void Save();

  CSkinButton save_, cancel_;
};
