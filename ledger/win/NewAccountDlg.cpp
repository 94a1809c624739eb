#include "ledger/win/NewAccountDlg.h"

#include "common/win/Palette.h"
#include "ledger/LedgerStore.h"
#include "resources/app_ids.h"
#include "resources/ledger_ids.h"
#include "win/MessageBox.h"

CNewAccountDlg::CNewAccountDlg(std::string accountFolder)
    : Dialog(IDD_NEW_ACCOUNT), accountFolder_(std::move(accountFolder)) {}

BOOL CNewAccountDlg::OnInitDialog() {
  SetIcons(IDR_MAINFRAME);
  SetColors(palette::kText, palette::kPaper);
  CenterOnDesktop();
  create_.Attach(hwnd_, IDC_NEW_ACCOUNT_CREATE);
  cancel_.Attach(hwnd_, IDCANCEL);
  return TRUE;
}

void CNewAccountDlg::Create() {
  int result = ledger::CreateAccount(accountFolder_, ItemText(IDC_NEW_ACCOUNT_NAME));
  if (result != ledger::kCreated) {
    win::ShowMessage(ledger::CreateMessage(result));
    return;
  }
  EndDialog(IDOK);
}

bool CNewAccountDlg::OnButtonClicked(int id) {
  if (id == IDC_NEW_ACCOUNT_CREATE) {
    Create();
    return true;
  }
  return Dialog::OnButtonClicked(id);
}
