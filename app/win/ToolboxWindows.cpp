#include "app/win/ToolboxWindows.h"

#include "app/win/MainFrame.h"
#include "assistant/win/SettingsTabDlg.h"
#include "assistant/win/ShutdownDlg.h"
#include "calendar/win/CalendarDlg.h"
#include "capture/win/CaptureSettingsDlg.h"
#include "ledger/win/LedgerLoginDlg.h"
#include "plans/win/PlanManagerDlg.h"
#include "resources/center_ids.h"

bool OpenToolboxWindow(int buttonId, HWND center) {
  CMainFrame* frame = CMainFrame::Instance();
  switch (buttonId) {
    case IDC_CENTER_CALENDAR:
      ShowCalendar(center);
      return true;
    case IDC_CENTER_PLANS:
      ShowPlanManager(center);
      return true;
    case IDC_CENTER_SHUTDOWN: {
      if (!frame) return true;
      CShutdownDlg shutdown(frame->ShutdownStore());
      shutdown.DoModal(center);
      return true;
    }
    case IDC_CENTER_SETTINGS: {
      if (!frame) return true;
      CSettingsTabDlg settings([frame](HWND parent) -> std::unique_ptr<win::Dialog> {
        auto page = std::make_unique<CCaptureSettingsDlg>(frame->CaptureSettings());
        if (!page->Create(parent)) return nullptr;
        return page;
      }, {frame->BossKeyStore(), frame->CdKeyStore()});
      settings.DoModal(center);
      return true;
    }
    case IDC_CENTER_LEDGER:
      ShowLedger(center);
      return true;
  }
  return false;
}
