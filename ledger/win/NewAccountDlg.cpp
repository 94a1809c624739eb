#include "ledger/win/NewAccountDlg.h"

#include "ledger/LedgerStore.h"
#include "resources/ledger_ids.h"

CNewAccountDlg::CNewAccountDlg(std::string accountFolder)
    : CEditorDlg(IDD_NEW_ACCOUNT, IDC_NEW_ACCOUNT_CREATE), accountFolder_(std::move(accountFolder)) {}

BOOL CNewAccountDlg::OnInitDialog() {
  InitLook();
  AttachButtons();
  return TRUE;
}

// "创建": creates the account.
void CNewAccountDlg::Save() {
  int result = ledger::CreateAccount(accountFolder_, ItemText(IDC_NEW_ACCOUNT_NAME));
  Finish(result == ledger::kCreated ? nullptr : ledger::CreateMessage(result));
}
