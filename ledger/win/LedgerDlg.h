// The ledger of one account, "[" + name + "]计账管理-Tolvana": its entries in
// a virtual check-mark list, the clicked entry's line and remark below, and
// the commands to add, change, delete and report. Every change rewrites the
// account's entry file.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/win/CheckListCtrl.h"
#include "common/win/SkinButton.h"
#include "common/win/ToolboxDlg.h"
#include "ledger/Ledger.h"

class CLedgerDlg : public CToolboxDlg {
 public:
  // accountFolder: program folder + "account\".
  CLedgerDlg(std::string account, const std::string& accountFolder);

 protected:
  BOOL OnInitDialog() override;
  LRESULT OnNotify(int id, NMHDR* header) override;
  void OnOK() override {}

 private:
  void Add();
  void Change();
  void Delete();
  void OnListClick();
  // Shows the row's line and remark below the list; empty for -1.
  void ShowRow(int row);

  std::string account_;
  CLedger ledger_;
  CCheckListCtrl list_;
  CSkinButton add_, change_, delete_, report_;
};
