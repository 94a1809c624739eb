// The entry editor "计账编辑-Tolvana": type, five time lists, amount and
// remark. The caller fills data (change mode: from the row), runs DoModal
// and reads data back after IDOK.
#pragma once
#include "common/win/EditorDlg.h"
#include "ledger/LedgerEntryEdit.h"

class CLedgerEntryDlg : public CEditorDlg {
 public:
  CLedgerEntryDlg();

  LedgerEntryEdit data;

 protected:
  BOOL OnInitDialog() override;
  void Save() override;
};
