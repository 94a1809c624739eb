// "登录计账管理-Tolvana": the list of accounts, with the commands to log in,
// to create an account and to delete one. After IDOK, account names the
// chosen account.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "common/win/CheckListCtrl.h"
#include "common/win/SkinButton.h"
#include "common/win/ToolboxDlg.h"

class CLedgerLoginDlg : public CToolboxDlg {
 public:
  CLedgerLoginDlg();

  std::string account;
  const std::string& AccountFolder() const { return accountFolder_; }

 protected:
  BOOL OnInitDialog() override;
  LRESULT OnNotify(int id, NMHDR* header) override;
  void OnOK() override { Login(); }

 private:
  void Fill(const std::vector<std::string>& names);
  void Login();
  void NewAccount();
  void DeleteAccount();

  std::string accountFolder_;
  CCheckListCtrl list_;
  CSkinButton login_, new_, delete_;
};

// The ledger as the management center opens it: the login, then the ledger
// window of the chosen account, both modal.
void ShowLedger(HWND owner);
