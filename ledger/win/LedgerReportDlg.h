// The report "账目报表-Tolvana" over the ledger window's rows: a preset or
// custom date range and a type, the matching rows with a total row, and the
// exports "export.txt" and "export.html" in the program folder, opened with
// their associated programs.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "common/win/CheckListCtrl.h"
#include "common/win/SkinButton.h"
#include "common/win/ToolboxDlg.h"
#include "ledger/LedgerReport.h"

class CLedgerReportDlg : public CToolboxDlg {
 public:
  // rows stay unchanged while the window is open (it is modal over them).
  explicit CLedgerReportDlg(const std::vector<ledger::LedgerRow>& rows);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(int id, NMHDR* header) override;
  void OnOK() override {}

 private:
  void FillDateLists(int yearId, int monthId, int dayId, const ledger::Day& day);
  ledger::Day ChosenDay(int yearId, int monthId, int dayId) const;
  void ShowReport();
  void Export(const char* fileName, const std::string& content);
  void OnListClick();

  const std::vector<ledger::LedgerRow>& rows_;
  ledger::CReport report_;
  CCheckListCtrl list_;
  CSkinButton show_, exportText_, exportHtml_;
};
