#include "ledger/win/LedgerLoginDlg.h"

#include "common/win/ProgramFolder.h"
#include "ledger/LedgerStore.h"
#include "ledger/win/LedgerDlg.h"
#include "ledger/win/NewAccountDlg.h"
#include "resources/app_ids.h"
#include "resources/ledger_ids.h"
#include "win/MessageBox.h"

namespace {
constexpr int kNameColumnWidth = 200;
}  // namespace

CLedgerLoginDlg::CLedgerLoginDlg()
    : CToolboxDlg(IDD_LEDGER_LOGIN), accountFolder_(ProgramFolder() + ledger::kAccountFolder) {}

BOOL CLedgerLoginDlg::OnInitDialog() {
  InitLook(/*lists=*/true);
  login_.Attach(hwnd_, IDC_LOGIN_ENTER);
  new_.Attach(hwnd_, IDC_LOGIN_NEW);
  delete_.Attach(hwnd_, IDC_LOGIN_DELETE);
  list_.Attach(hwnd_, IDC_LOGIN_LIST, {1, /*firstColumnIsCheck=*/false});
  list_.View().InsertColumn(0, "账号", kNameColumnWidth);
  list_.SetRowHeightImages(IDR_MAINFRAME);
  // A fresh installation offers the default account.
  Fill(ledger::ListAccountsOrDefault(accountFolder_));
  OnClick(IDC_LOGIN_ENTER, [this] { Login(); });
  OnClick(IDC_LOGIN_NEW, [this] { NewAccount(); });
  OnClick(IDC_LOGIN_DELETE, [this] { DeleteAccount(); });
  return TRUE;
}

void CLedgerLoginDlg::Fill(const std::vector<std::string>& names) {
  win::ListView view = list_.View();
  view.DeleteAll();
  for (size_t i = 0; i < names.size(); ++i) view.InsertItem(static_cast<int>(i), names[i]);
}

void CLedgerLoginDlg::Login() {
  int row = list_.SelectedItem();
  if (row < 0) {
    win::ShowMessage("请选择要登录的账号");
    return;
  }
  account = list_.View().ItemText(row, 0);
  EndDialog(IDOK);
}

void CLedgerLoginDlg::NewAccount() {
  CNewAccountDlg dlg(accountFolder_);
  if (dlg.DoModal(hwnd_) == IDOK) Fill(ledger::ListAccounts(accountFolder_));
}

void CLedgerLoginDlg::DeleteAccount() {
  int row = list_.SelectedItem();
  if (row < 0) {
    win::ShowMessage("请选择需要删除的账号");
    return;
  }
  std::string name = list_.View().ItemText(row, 0);
  std::string question = "你是否真的要删除账号:" + name + "？\r\n\r\n删除后对应账号的数据将完全被清理！";
  if (win::ShowMessage(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) return;
  ledger::DeleteAccount(accountFolder_, name);
  Fill(ledger::ListAccounts(accountFolder_));
}

LRESULT CLedgerLoginDlg::OnNotify(int id, NMHDR* header) {
  if (id == IDC_LOGIN_LIST && header->code == NM_DBLCLK) {
    if (list_.SelectedItem() >= 0) Login();
    return 0;
  }
  return Default();
}

void ShowLedger(HWND owner) {
  CLedgerLoginDlg login;
  if (login.DoModal(owner) != IDOK) return;
  CLedgerDlg ledger(login.account, login.AccountFolder());
  ledger.DoModal(owner);
}
