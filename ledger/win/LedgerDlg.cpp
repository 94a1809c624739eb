#include "ledger/win/LedgerDlg.h"

#include "common/win/CheckListCommands.h"
#include "ledger/win/EntryList.h"
#include "ledger/win/LedgerEntryDlg.h"
#include "ledger/win/LedgerReportDlg.h"
#include "resources/ledger_ids.h"
#include "win/Controls.h"
#include "win/MessageBox.h"

namespace {
constexpr char kTitle[] = "计账管理-Tolvana";
}  // namespace

CLedgerDlg::CLedgerDlg(std::string account, const std::string& accountFolder)
    : CToolboxDlg(IDD_LEDGER), account_(std::move(account)), ledger_(ledger::EntryFilePath(accountFolder, account_)) {}

BOOL CLedgerDlg::OnInitDialog() {
  InitLook();
  SetText("[" + account_ + "]" + kTitle);
  add_.Attach(hwnd_, IDC_LEDGER_ADD);
  change_.Attach(hwnd_, IDC_LEDGER_CHANGE);
  delete_.Attach(hwnd_, IDC_LEDGER_DELETE);
  report_.Attach(hwnd_, IDC_LEDGER_REPORT);
  ledger_win::AttachEntryList(list_, hwnd_, IDC_LEDGER_LIST);
  ledger_.Load();
  list_.ShowRows(ledger_.Count(), -1);
  if (ledger_.Locked()) {
    // Nothing may be saved over a file that was never read.
    for (int id : {IDC_LEDGER_ADD, IDC_LEDGER_CHANGE, IDC_LEDGER_DELETE}) win::Control(hwnd_, id).Enable(false);
    win::ShowMessage(CLedger::kTooLargeToOpen);
  }
  OnClick(IDC_LEDGER_ADD, [this] { Add(); });
  OnClick(IDC_LEDGER_CHANGE, [this] { Change(); });
  OnClick(IDC_LEDGER_DELETE, [this] { Delete(); });
  OnClick(IDC_LEDGER_REPORT, [this] { CLedgerReportDlg(ledger_.Rows()).DoModal(hwnd_); });
  return TRUE;
}

void CLedgerDlg::ShowRow(int row) {
  bool shown = row >= 0 && row < ledger_.Count();
  SetItemText(IDC_LEDGER_INFO, shown ? ledger::InfoLine(ledger_.At(row)) : std::string());
  SetItemText(IDC_LEDGER_REMARK_VIEW, shown ? ledger_.At(row).remark : std::string());
}

void CLedgerDlg::OnListClick() {
  check_list::Click(list_, ledger_, ledger::kCheckColumn, [this](int row) { ShowRow(row); });
}

void CLedgerDlg::Add() {
  CLedgerEntryDlg editor;  // in add mode
  check_list::Add(list_, ledger_, editor, hwnd_);
}

void CLedgerDlg::Change() {
  CLedgerEntryDlg editor;
  int row = check_list::Change(list_, ledger_, editor, hwnd_);
  if (row >= 0) ShowRow(row);
}

void CLedgerDlg::Delete() {
  if (check_list::DeleteChecked(list_, ledger_)) ShowRow(-1);
}

LRESULT CLedgerDlg::OnNotify(int id, NMHDR* header) {
  if (id == IDC_LEDGER_LIST &&
      check_list::OnNotify(
          list_, header, ledger_.Count(),
          [this](int row, int column) { return ledger::CellText(ledger_.At(row), column); },
          [this] { OnListClick(); }, [this] { Change(); }))
    return 0;
  return Default();
}
