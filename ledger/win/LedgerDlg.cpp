#include "ledger/win/LedgerDlg.h"

#include "common/win/Palette.h"
#include "ledger/win/EntryList.h"
#include "ledger/win/LedgerEntryDlg.h"
#include "ledger/win/LedgerReportDlg.h"
#include "resources/app_ids.h"
#include "resources/ledger_ids.h"
#include "win/MessageBox.h"

namespace {
constexpr char kTitle[] = "计账管理-Tolvana";
}  // namespace

CLedgerDlg::CLedgerDlg(std::string account, const std::string& accountFolder)
    : Dialog(IDD_LEDGER), account_(std::move(account)), ledger_(ledger::EntryFilePath(accountFolder, account_)) {}

BOOL CLedgerDlg::OnInitDialog() {
  SetIcons(IDR_MAINFRAME);
  SetColors(palette::kText, palette::kPaper);
  CenterOnDesktop();
  SetText("[" + account_ + "]" + kTitle);
  add_.Attach(hwnd_, IDC_LEDGER_ADD);
  change_.Attach(hwnd_, IDC_LEDGER_CHANGE);
  delete_.Attach(hwnd_, IDC_LEDGER_DELETE);
  report_.Attach(hwnd_, IDC_LEDGER_REPORT);
  ledger_win::AttachEntryList(list_, hwnd_, IDC_LEDGER_LIST);
  ledger_.Load();
  list_.ShowRows(ledger_.Count(), -1);
  return TRUE;
}

void CLedgerDlg::ShowRow(int row) {
  bool shown = row >= 0 && row < ledger_.Count();
  SetItemText(IDC_LEDGER_INFO, shown ? ledger::InfoLine(ledger_.At(row)) : std::string());
  SetItemText(IDC_LEDGER_REMARK_VIEW, shown ? ledger_.At(row).remark : std::string());
}

void CLedgerDlg::OnListClick() {
  LVHITTESTINFO hit = list_.HitAtMessagePos();
  if (!ledger_.Click(hit.iItem, hit.iSubItem)) return;
  ShowRow(hit.iItem);
  if (hit.iSubItem == ledger::kCheckColumn) list_.View().RedrawItem(hit.iItem);
}

void CLedgerDlg::Add() {
  CLedgerEntryDlg editor;
  if (editor.DoModal(hwnd_) != IDOK) return;
  int row = ledger_.Add(editor.data);
  list_.ShowRows(ledger_.Count(), row);
}

void CLedgerDlg::Change() {
  int row = list_.SelectedItem();
  CLedgerEntryDlg editor;
  if (const char* message = ledger_.PrepareChange(row, editor.data)) {
    win::ShowMessage(message);
    return;
  }
  if (editor.DoModal(hwnd_) != IDOK) return;
  ledger_.ApplyChange(row, editor.data);
  list_.View().RedrawItem(row);
  ShowRow(row);
}

void CLedgerDlg::Delete() {
  if (const char* message = ledger_.DeleteChecked()) {
    win::ShowMessage(message);
    return;
  }
  list_.ShowRows(ledger_.Count(), -1);
  ShowRow(-1);
}

bool CLedgerDlg::OnButtonClicked(int id) {
  switch (id) {
    case IDC_LEDGER_ADD:
      Add();
      return true;
    case IDC_LEDGER_CHANGE:
      Change();
      return true;
    case IDC_LEDGER_DELETE:
      Delete();
      return true;
    case IDC_LEDGER_REPORT: {
      CLedgerReportDlg report(ledger_.Rows());
      report.DoModal(hwnd_);
      return true;
    }
  }
  return Dialog::OnButtonClicked(id);
}

LRESULT CLedgerDlg::OnNotify(int id, NMHDR* header) {
  if (id == IDC_LEDGER_LIST) {
    switch (header->code) {
      case LVN_GETDISPINFOW: {
        auto& info = *reinterpret_cast<NMLVDISPINFOW*>(header);
        if (info.item.iItem >= 0 && info.item.iItem < ledger_.Count())
          CCheckListCtrl::FillCell(info, ledger::CellText(ledger_.At(info.item.iItem), info.item.iSubItem));
        return 0;
      }
      case NM_CLICK:
        OnListClick();
        return 0;
      case NM_DBLCLK:
        if (list_.SelectedItem() >= 0) Change();
        return 0;
    }
  }
  return Default();
}
