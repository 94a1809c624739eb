#include "ledger/win/LedgerEntryDlg.h"

#include "common/win/Palette.h"
#include "plans/win/PlanReminders.h"
#include "resources/app_ids.h"
#include "resources/ledger_ids.h"
#include "win/Controls.h"
#include "win/MessageBox.h"

namespace {
constexpr int kListIds[PlanEditData::kListCount] = {IDC_ENTRY_YEAR, IDC_ENTRY_MONTH, IDC_ENTRY_DAY, IDC_ENTRY_HOUR,
                                                    IDC_ENTRY_MINUTE};
}  // namespace

CLedgerEntryDlg::CLedgerEntryDlg() : Dialog(IDD_LEDGER_ENTRY) {}

BOOL CLedgerEntryDlg::OnInitDialog() {
  SetIcons(IDR_MAINFRAME);
  // The drop-down lists are coloured too; the amount and remark boxes keep
  // the system's colours.
  SetColors(palette::kText, palette::kPaper, /*lists=*/true);
  CenterOnDesktop();
  save_.Attach(hwnd_, IDC_ENTRY_SAVE);
  cancel_.Attach(hwnd_, IDCANCEL);
  if (data.mode == LedgerEntryEdit::kAdd) data.StartAdd(CurrentPlanTime());
  for (int l = 0; l < PlanEditData::kListCount; ++l) {
    auto list = static_cast<PlanEditData::List>(l);
    win::ComboBox box(hwnd_, kListIds[l]);
    for (int i = 0; i < PlanEditData::EntryCount(list); ++i) box.AddString(PlanEditData::EntryText(list, i));
    box.SetCurSel(data.SelectedIndex(list));
    box.Enable(data.TimeListsEnabled());
  }
  win::Button(hwnd_, IDC_ENTRY_INCOME).SetCheck(data.type == 1);
  win::Button(hwnd_, IDC_ENTRY_EXPENSE).SetCheck(data.type != 1);
  SetItemText(IDC_ENTRY_AMOUNT, data.AmountText());
  SetItemText(IDC_ENTRY_REMARK, data.remark);
  return TRUE;
}

void CLedgerEntryDlg::Save() {
  int selection[PlanEditData::kListCount];
  for (int l = 0; l < PlanEditData::kListCount; ++l) selection[l] = win::ComboBox(hwnd_, kListIds[l]).CurSel();
  bool income = win::Button(hwnd_, IDC_ENTRY_INCOME).Checked();
  if (const char* message =
          data.Accept(selection, income, ItemText(IDC_ENTRY_AMOUNT), ItemText(IDC_ENTRY_REMARK))) {
    win::ShowMessage(message);
    return;
  }
  EndDialog(IDOK);
}

bool CLedgerEntryDlg::OnButtonClicked(int id) {
  if (id == IDC_ENTRY_SAVE) {
    Save();
    return true;
  }
  return Dialog::OnButtonClicked(id);
}
