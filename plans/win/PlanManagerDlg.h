// The plan manager "计划管理-Tolvana": every plan of the plan file in a
// check-mark list (check mark, time, content) with the clicked plan's time
// and full text below, and the commands to add, change and delete plans and
// to start the old version's program. Every change rewrites the plan file
// and has the frame reload its plans.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/win/CheckListCtrl.h"
#include "common/win/ProgramFolder.h"
#include "common/win/SkinButton.h"
#include "plans/PlanList.h"
#include "win/Dialog.h"

class CPlanManagerDlg : public win::Dialog {
 public:
  CPlanManagerDlg();

 protected:
  BOOL OnInitDialog() override;
  LRESULT OnNotify(int id, NMHDR* header) override;
  void Layout() override;

 private:
  void Add();
  void Change();
  void Delete();
  void StartOldVersion();
  void OnListClick();
  // Shows the row's time and content below the list; nothing for -1.
  void ShowRow(int row);
  void FitTimeColumn();

  CPlanList plans_{InProgramFolder(kPlanFilePath)};
  CCheckListCtrl list_;
  CSkinButton add_, change_, delete_, oldVersion_;
};

// Opens the plan manager modally; owner null means the main window.
void ShowPlanManager(HWND owner);
