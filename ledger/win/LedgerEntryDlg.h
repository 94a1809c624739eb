// The entry editor "计账编辑-Tolvana": type, five time lists, amount and
// remark. The caller fills data (change mode: from the row), runs DoModal
// and reads data back after IDOK.
#pragma once
#include "common/win/SkinButton.h"
#include "ledger/LedgerEntryEdit.h"
#include "win/Dialog.h"

class CLedgerEntryDlg : public win::Dialog {
 public:
  CLedgerEntryDlg();

  LedgerEntryEdit data;

 protected:
  BOOL OnInitDialog() override;
  bool OnButtonClicked(int id) override;
  // Enter outside the remark box saves, as "保存结果" does.
  void OnOK() override { Save(); }

 private:
  void Save();

  CSkinButton save_, cancel_;
};
