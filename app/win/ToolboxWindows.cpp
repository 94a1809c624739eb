#include "app/win/ToolboxWindows.h"

#include "calendar/win/CalendarDlg.h"
#include "ledger/win/LedgerLoginDlg.h"
#include "plans/win/PlanManagerDlg.h"
#include "resources/center_ids.h"

bool OpenToolboxWindow(int buttonId, HWND center) {
  switch (buttonId) {
    case IDC_CENTER_CALENDAR:
      ShowCalendar(center);
      return true;
    case IDC_CENTER_PLANS:
      ShowPlanManager(center);
      return true;
    case IDC_CENTER_LEDGER:
      ShowLedger(center);
      return true;
    case IDC_CENTER_SHUTDOWN:  // the automatic shutdown settings
    case IDC_CENTER_SETTINGS:  // the settings tab window
      return true;
  }
  return false;
}
