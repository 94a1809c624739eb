#include "ledger/win/LedgerReportDlg.h"

#include <algorithm>
#include <iterator>

#include "common/TimeLists.h"
#include "common/win/LocalClock.h"
#include "common/win/ProgramFolder.h"
#include "common/win/Shell.h"
#include "ledger/Ledger.h"
#include "ledger/win/EntryList.h"
#include "resources/ledger_ids.h"
#include "win/Controls.h"
#include "win/MessageBox.h"

namespace {

constexpr int kDateListIds[] = {IDC_REPORT_START_YEAR, IDC_REPORT_START_MONTH, IDC_REPORT_START_DAY,
                                IDC_REPORT_END_YEAR,   IDC_REPORT_END_MONTH,   IDC_REPORT_END_DAY};

ledger::Day Today() {
  MinuteTime now = LocalNow();
  return {now.year, now.month, now.day};
}

}  // namespace

CLedgerReportDlg::CLedgerReportDlg(const std::vector<ledger::LedgerRow>& rows)
    : CToolboxDlg(IDD_LEDGER_REPORT), rows_(rows) {}

BOOL CLedgerReportDlg::OnInitDialog() {
  InitLook(/*lists=*/true);
  show_.Attach(hwnd_, IDC_REPORT_SHOW);
  exportText_.Attach(hwnd_, IDC_REPORT_EXPORT_TXT);
  exportHtml_.Attach(hwnd_, IDC_REPORT_EXPORT_HTML);
  ledger_win::AttachEntryList(list_, hwnd_, IDC_LEDGER_LIST);

  const ledger::Day today = Today();
  win::ComboBox presets(hwnd_, IDC_REPORT_PRESET);
  for (int p = 0; p < ledger::kPresetCount; ++p) presets.AddString(ledger::PresetText(p, today));
  presets.SetCurSel(ledger::kToday);
  FillDateLists(IDC_REPORT_START_YEAR, IDC_REPORT_START_MONTH, IDC_REPORT_START_DAY, today);
  FillDateLists(IDC_REPORT_END_YEAR, IDC_REPORT_END_MONTH, IDC_REPORT_END_DAY, today);
  win::Button(hwnd_, IDC_REPORT_PRESET_RADIO).SetCheck(true);
  win::ComboBox types(hwnd_, IDC_REPORT_TYPE);
  for (const char* t : ledger::kTypeFilterTexts) types.AddString(t);
  types.SetCurSel(ledger::kBothTypes);
  OnClick(IDC_REPORT_SHOW, [this] { ShowReport(); });
  OnClick(IDC_REPORT_EXPORT_TXT, [this] { Export("export.txt", report_.ExportText()); });
  OnClick(IDC_REPORT_EXPORT_HTML, [this] { Export("export.html", report_.ExportHtml()); });
  return TRUE;
}

void CLedgerReportDlg::FillDateLists(int yearId, int monthId, int dayId, const ledger::Day& day) {
  const struct {
    int id;
    TimeLists::List list;
  } lists[] = {{yearId, TimeLists::kYearList}, {monthId, TimeLists::kMonthList}, {dayId, TimeLists::kDayList}};
  TimeLists shown;
  shown.time = {day.year, day.month, day.day, 0, 0};
  for (const auto& l : lists) {
    win::ComboBox box(hwnd_, l.id);
    for (int i = 0; i < TimeLists::EntryCount(l.list); ++i) box.AddString(TimeLists::EntryText(l.list, i));
    box.SetCurSel(shown.SelectedIndex(l.list));
  }
}

ledger::Day CLedgerReportDlg::ChosenDay(int yearId, int monthId, int dayId) const {
  return {TimeLists::kBaseYear + win::ComboBox(hwnd_, yearId).CurSel(),
          win::ComboBox(hwnd_, monthId).CurSel() + 1, win::ComboBox(hwnd_, dayId).CurSel() + 1};
}

void CLedgerReportDlg::ShowReport() {
  ledger::DayRange range;
  if (win::Button(hwnd_, IDC_REPORT_PRESET_RADIO).Checked()) {
    range = ledger::PresetRange(win::ComboBox(hwnd_, IDC_REPORT_PRESET).CurSel(), Today());
  } else {
    range.first = ChosenDay(IDC_REPORT_START_YEAR, IDC_REPORT_START_MONTH, IDC_REPORT_START_DAY);
    range.last = ChosenDay(IDC_REPORT_END_YEAR, IDC_REPORT_END_MONTH, IDC_REPORT_END_DAY);
  }
  report_.Build(rows_, range, win::ComboBox(hwnd_, IDC_REPORT_TYPE).CurSel());
  list_.ShowRows(report_.Count(), -1);
}

void CLedgerReportDlg::Export(const char* fileName, const std::string& content) {
  std::string path = ProgramFolder() + fileName;
  if (!ledger::WriteExport(path, content)) {
    win::ShowMessage("保存失败,可能是硬盘空间不足");
    return;
  }
  win::ShowMessage("输出成功.\r\n保存位置为:" + path);
  OpenWithShell(path);
}

void CLedgerReportDlg::OnListClick() {
  LVHITTESTINFO hit = list_.HitAtMessagePos();
  if (hit.iItem < 0 || hit.iItem >= report_.Count()) return;
  const ledger::LedgerRow& row = report_.At(hit.iItem);
  SetItemText(IDC_LEDGER_INFO, ledger::InfoLine(row));
  SetItemText(IDC_LEDGER_REMARK_VIEW, row.remark);
}

bool CLedgerReportDlg::OnCommand(int id, int code, HWND control) {
  // Opening a list's drop-down chooses the kind of range it belongs to.
  if (code == CBN_DROPDOWN) {
    bool preset = id == IDC_REPORT_PRESET;
    bool custom = std::find(std::begin(kDateListIds), std::end(kDateListIds), id) != std::end(kDateListIds);
    if (preset || custom) {
      win::Button(hwnd_, IDC_REPORT_PRESET_RADIO).SetCheck(preset);
      win::Button(hwnd_, IDC_REPORT_CUSTOM_RADIO).SetCheck(custom);
      return true;
    }
  }
  return CToolboxDlg::OnCommand(id, code, control);
}

LRESULT CLedgerReportDlg::OnNotify(int id, NMHDR* header) {
  if (id == IDC_LEDGER_LIST) {
    switch (header->code) {
      case LVN_GETDISPINFOW: {
        auto& info = *reinterpret_cast<NMLVDISPINFOW*>(header);
        int row = info.item.iItem, column = info.item.iSubItem;
        if (row >= 0 && row < report_.Count())
          // Every report row shows unchecked, whatever its mark in the ledger.
          CCheckListCtrl::FillCell(info, column == ledger::kCheckColumn ? ledger::kUncheckedText
                                                                    : ledger::CellText(report_.At(row), column));
        return 0;
      }
      case NM_CLICK:
        OnListClick();
        return 0;
    }
  }
  return Default();
}
