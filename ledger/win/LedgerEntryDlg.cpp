#include "ledger/win/LedgerEntryDlg.h"

#include "common/win/LocalClock.h"
#include "resources/ledger_ids.h"
#include "win/Controls.h"

namespace {
constexpr int kListIds[TimeLists::kListCount] = {IDC_ENTRY_YEAR, IDC_ENTRY_MONTH, IDC_ENTRY_DAY, IDC_ENTRY_HOUR,
                                                 IDC_ENTRY_MINUTE};
}  // namespace

CLedgerEntryDlg::CLedgerEntryDlg() : CEditorDlg(IDD_LEDGER_ENTRY, IDC_ENTRY_SAVE) {}

BOOL CLedgerEntryDlg::OnInitDialog() {
  // The drop-down lists are coloured too; the amount and remark boxes keep
  // the system's colours.
  InitLook(/*lists=*/true);
  AttachButtons();
  if (data.mode == LedgerEntryEdit::kAdd) data.StartAdd(LocalNow());
  FillTimeLists(kListIds, data);
  win::Button(hwnd_, IDC_ENTRY_INCOME).SetCheck(data.type == 1);
  win::Button(hwnd_, IDC_ENTRY_EXPENSE).SetCheck(data.type != 1);
  SetItemText(IDC_ENTRY_AMOUNT, data.AmountText());
  SetItemText(IDC_ENTRY_REMARK, data.remark);
  return TRUE;
}

void CLedgerEntryDlg::Save() {
  int selection[TimeLists::kListCount];
  ReadTimeLists(kListIds, selection);
  bool income = win::Button(hwnd_, IDC_ENTRY_INCOME).Checked();
  Finish(data.Accept(selection, income, ItemText(IDC_ENTRY_AMOUNT), ItemText(IDC_ENTRY_REMARK)));
}
