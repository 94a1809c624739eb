#include "app/win/MainFrame.h"

#include <shellapi.h>

#include "app/win/AboutDlg.h"
#include "app/win/CaptureDlg.h"
#include "app/win/CenterDlg.h"
#include "app/win/Messages.h"
#include "assistant/win/BossKeyAction.h"
#include "calendar/win/CalendarDlg.h"
#include "common/win/LocalClock.h"
#include "common/win/ProgramFolder.h"
#include "common/win/Shell.h"
#include "plans/win/PlanManagerDlg.h"
#include "plans/win/ReminderPrompt.h"
#include "resources/app_ids.h"
#include "resources/assistant_ids.h"
#include "resources/planner_ids.h"
#include "win/App.h"
#include "win/CommonControls.h"

namespace {
const wchar_t kFrameClass[] = L"brova.Pagorin";
CMainFrame* g_frame = nullptr;
}  // namespace

CMainFrame::CMainFrame()
    : bossKey_(ProgramFolder(), kBossKeyPath),
      cdKeys_(ProgramFolder(), kCdKeyPath),
      shutdown_(ProgramFolder()),
      captureSettings_(ProgramFolder()) {
  g_frame = this;
}

CMainFrame::~CMainFrame() {
  if (g_frame == this) g_frame = nullptr;
}

CMainFrame* CMainFrame::Instance() { return g_frame; }

bool CMainFrame::CreateFrame() {
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
  RegisterClass(kFrameClass, 0, icon);
  // A zero-sized popup tool window at the origin: never seen, no task-bar button.
  return Create(WS_EX_TOOLWINDOW, kFrameClass, frame_msg::kFrameTitle, WS_POPUP, 0, 0, 0, 0, nullptr);
}

int CMainFrame::OnCreate(CREATESTRUCTW* cs) {
  captureSettings_.Load();
  SetTimer(hwnd_, kStartTimer, 100, nullptr);
  trayMenu_.reset(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
  trayIcon_.Add(hwnd_, kTrayIconId, msg::kTrayCallback,
                static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)),
                "brova 屏幕截图");
  hotKeys_.Start(hwnd_);
  // The boss key and the CD keys saved in an earlier run work from the start.
  bossKey_.Load();
  cdKeys_.Load();
  cdDrives_.FillFromSystem();
  ReloadHotKeys();
  shutdownWatch_.Start(hwnd_, kShutdownTimer);
  ReloadShutdown();
  // Plans are read at start, so that "显示计划" and the reminders know them.
  reminders_.Start(hwnd_, kReminderTimer);
  ReloadPlans();
  // The update worker starts after its first pause, timed here: a program
  // that ends sooner never makes the thread.
  SetTimer(hwnd_, kUpdateTimer, kFirstWaitMs, nullptr);
  // The common controls and the capture window are made now, hidden, while
  // the start timer runs: fonts and controls are ready when it shows them.
  win::InitCommonControls(ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES);
  MakeCaptureDialog();
  return 0;
}

void CMainFrame::OnTimer(UINT_PTR id) {
  if (id == kStartTimer) {
    KillTimer(hwnd_, kStartTimer);
    ShowCaptureDialog();
    return;
  }
  if (id == kReminderTimer) {
    reminders_.OnTimer();
    return;
  }
  if (id == kShutdownTimer) {
    shutdownWatch_.OnTimer(shutdown_.Current());
    return;
  }
  if (id == kUpdateTimer) {
    KillTimer(hwnd_, kUpdateTimer);
    // The worker shares only files with the windows; it gets the folder, not the frame.
    updateWorker_.Start(
        [folder = ProgramFolder()](WaitFunction wait) { return UpdateWorker(folder, std::move(wait), 0); });
    return;
  }
  Default();
}

bool CMainFrame::MakeCaptureDialog() {
  if (!captureDlg_) {
    captureDlg_ = std::make_unique<CCaptureDlg>(captureSettings_);
    if (!captureDlg_->Create(hwnd_)) {
      captureDlg_.reset();
      return false;
    }
  }
  return true;
}

void CMainFrame::ShowCaptureDialog() {
  if (!MakeCaptureDialog()) return;
  captureDlg_->MakeTopMost();
  captureDlg_->CenterOnDesktop();
  captureDlg_->Show(SW_SHOW);
}

void CMainFrame::OpenCenter() {
  if (!center_) {
    center_ = std::make_unique<CCenterDlg>();
    if (!center_->Create(hwnd_)) {
      center_.reset();
      return;
    }
  }
  center_->Show(SW_SHOW);
  center_->MakeTopMost();
}

void CMainFrame::ShowAbout(int templateId) {
  CAboutDlg about(templateId);
  about.DoModal(hwnd_);
}

void CMainFrame::StartInfoCenter() { OpenWithShell(InProgramFolder("kivvoweb.exe")); }

void CMainFrame::ExitProgram() {
  if (HWND center = FindWindowW(nullptr, kCenterTitle)) PostMessageW(center, WM_CLOSE, 0, 0);
  SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void CMainFrame::OnClose() {
  // The management center goes first and stores its rectangle.
  if (center_) center_->Destroy();
  DestroyWindow(hwnd_);
}

void CMainFrame::OnDestroy() {
  updateWorker_.Stop(kUpdateStopGraceMs);
  hotKeys_.Stop();
  trayIcon_.Remove();
  win::App::Quit(0);
}

void CMainFrame::SetFrameVisible(bool visible) {
  LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  if (visible) {
    style = (style & ~WS_POPUP) | WS_CAPTION;
    SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 550, 500, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  } else {
    style = (style & ~WS_CAPTION) | WS_POPUP;
    SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
    SetWindowPos(hwnd_, HWND_TOP, -100, -100, 0, 0, SWP_FRAMECHANGED | SWP_HIDEWINDOW);
  }
}

bool CMainFrame::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case ID_CAPTURE_FULL_SCREEN:
      OnCaptureFullScreen();
      return true;
    case ID_CAPTURE_WINDOW:
      OnCaptureWindow();
      return true;
    case ID_CAPTURE_REGION:
      OnCaptureRegion();
      return true;
    case ID_CAPTURE_DELAY_3:
    case ID_CAPTURE_DELAY_5:
    case ID_CAPTURE_DELAY_10:
      OnCaptureFullScreenAfter(id == ID_CAPTURE_DELAY_3 ? 3 : id == ID_CAPTURE_DELAY_5 ? 5 : 10);
      return true;
    case ID_EXIT_PROGRAM:
      ExitProgram();
      return true;
    case ID_ABOUT:
      ShowAbout(IDD_ABOUTBOX);
      return true;
    case ID_APP_ABOUT_STANDARD:
      ShowAbout(IDD_ABOUTBOX_APP);
      return true;
    case ID_INFO_CENTER:
      StartInfoCenter();
      return true;
    case ID_OPEN_CENTER:
    case ID_OPEN_CENTER_2:
    case ID_OPEN_CENTER_3:
    case ID_OPEN_CENTER_4:
    case ID_OPEN_CENTER_5:
      OpenCenter();
      return true;
    case ID_FRAME_SHOW:
      SetFrameVisible(true);
      return true;
    case ID_FRAME_HIDE:
      SetFrameVisible(false);
      return true;
    case ID_SHOW_PLAN:
      ShowPlanPrompt();
      return true;
    case ID_SHOW_CALENDAR:
      ShowCalendar(hwnd_);
      return true;
    case ID_SHOW_PLAN_MANAGER:
      ShowPlanManager(hwnd_);
      return true;
    case ID_BOSS_KEY:
      boss_key::Run(bossKey_.Current());
      return true;
  }
  // The trays follow a menu or another program's command (high word 0) only.
  return code == 0 && OnCdCommand(id);
}

bool CMainFrame::OnCdCommand(int id) {
  // Drive i for 0 <= i <= the drive count: one past the last is MCI's default CD device.
  const int drives = cdDrives_.Count();
  if (id >= ID_CD_OPEN_FIRST && id <= ID_CD_OPEN_FIRST + drives) {
    cdDrives_.RequestTray(id - ID_CD_OPEN_FIRST, true);
    return true;
  }
  if (id >= ID_CD_CLOSE_FIRST && id <= ID_CD_CLOSE_FIRST + drives) {
    cdDrives_.RequestTray(id - ID_CD_CLOSE_FIRST, false);
    return true;
  }
  return false;
}

void CMainFrame::RequestAllTrays(bool open) {
  for (int i = 0; i < cdDrives_.Count(); ++i) cdDrives_.RequestTray(i, open);
}

void CMainFrame::OnInitMenuPopup(HMENU menu, UINT pos, bool system) {
  Default();
  // No item is ever shown disabled.
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | MF_ENABLED);
}

LRESULT CMainFrame::OnTrayCallback(LPARAM mouseMessage) {
  if (mouseMessage == WM_LBUTTONDOWN) OpenCenter();
  if (mouseMessage == WM_RBUTTONDOWN) {
    HMENU popup = trayMenu_ ? GetSubMenu(trayMenu_, 0) : nullptr;
    if (popup) {
      POINT pt;
      GetCursorPos(&pt);
      SetForegroundWindow(hwnd_);
      TrackPopupMenu(popup, TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd_, nullptr);
      // Lets the menu close when the user clicks elsewhere.
      PostMessageW(hwnd_, WM_NULL, 0, 0);
    }
  }
  return 1;
}

// The capture commands: the capture engine runs the sequence (and any
// follow-up the result window asks for) unless a capture runs already.
bool CMainFrame::OnCaptureFullScreen() { return capture_.Run(CaptureChoice::kFullScreen, hwnd_); }
bool CMainFrame::OnCaptureFullScreenAfter(int seconds) { return capture_.Run(CaptureChoice::kFullScreen, hwnd_, seconds); }
bool CMainFrame::OnCaptureWindow() { return capture_.Run(CaptureChoice::kWindow, hwnd_); }
bool CMainFrame::OnCaptureRegion() { return capture_.Run(CaptureChoice::kRegion, hwnd_); }

HotKeySet CMainFrame::CurrentHotKeys() const {
  const SnapshotSettings& s = captureSettings_.Current();
  HotKeySet keys;
  keys.boss = bossKey_.Current().key;
  keys.cdOpen = cdKeys_.Current().open;
  keys.cdClose = cdKeys_.Current().close;
  keys.fullScreen = s.fullScreen;
  keys.window = s.window;
  keys.region = s.region;
  return keys;
}

void CMainFrame::ReloadHotKeys() {
  capture_.SetSettings(captureSettings_.Current());
  capture_.SetOptions(captureSettings_.Options());
  hotKeys_.Update(CurrentHotKeys());
}

void CMainFrame::ReloadAll() {
  EnterProgramFolder();
  captureSettings_.Load();
  bossKey_.Load();
  cdKeys_.Load();
  ReloadHotKeys();
  ReloadShutdown();
  ReloadPlans();
}

int CMainFrame::ReloadShutdown() {
  int result = shutdown_.Load();
  CheckShutdown();
  return result;
}

void CMainFrame::CheckShutdown() {
  // A time set for the current minute comes now, not a day late.
  shutdownWatch_.Check(shutdown_.Current());
}

int CMainFrame::ReloadPlans() {
  planQueue_.LoadUpcoming(LocalNow(), InProgramFolder(kPlanFilePath), &PlanHolidays());
  // A plan changed or added for the current minute comes now, not a minute late.
  reminders_.Check();
  return 0;
}

void CMainFrame::ShowPlanPrompt() {
  OpenPlanPrompt(hwnd_, planQueue_.Next());
}

void CMainFrame::OnKeyReport(int keyCode, int flags) {
  switch (DispatchHotKey(keyCode, flags, CurrentHotKeys())) {
    case HotKeyAction::kCaptureFullScreen:
      OnCaptureFullScreen();
      break;
    case HotKeyAction::kCaptureWindow:
      OnCaptureWindow();
      break;
    case HotKeyAction::kCaptureRegion:
      OnCaptureRegion();
      break;
    case HotKeyAction::kBossKey:
      boss_key::Run(bossKey_.Current());
      break;
    case HotKeyAction::kCdOpen:
      RequestAllTrays(true);
      break;
    case HotKeyAction::kCdClose:
      RequestAllTrays(false);
      break;
    case HotKeyAction::kNone:
      break;
  }
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wp, LPARAM lp) {
  // The tray is the way back to a capture window the user hid: the icon
  // goes back on a new taskbar.
  if (trayIcon_.OnTaskbarCreated(message)) return 0;
  switch (message) {
    case msg::kTrayCallback:
      return OnTrayCallback(lp);
    case msg::kReloadAll:
      ReloadAll();
      return 0;
    case msg::kReloadPlans:
      ReloadPlans();
      return 0;
    case msg::kReloadHotKeys:
      ReloadHotKeys();
      return 0;
    case msg::kReloadBossKey:
    case msg::kReloadCdKeys:
      ReloadHotKeys();
      return 0;
    case msg::kReloadShutdown:
      CheckShutdown();
      return 0;
    case msg::kCaptureFullScreen:
      OnCaptureFullScreen();
      return 0;
    case msg::kCaptureWindow:
      OnCaptureWindow();
      return 0;
    case msg::kCaptureRegion:
      OnCaptureRegion();
      return 0;
    case msg::kOpenCenter:
      OpenCenter();
      return 0;
    case msg::kInfoCenter:
      StartInfoCenter();
      return 0;
    case msg::kKeyReport:
      OnKeyReport(static_cast<int>(wp), static_cast<int>(lp));
      return 0;
    // The timers of the reminders and the shutdown count elapsed time: a
    // clock set, or a sleep, moves their next minute, and a sleep may have
    // passed plans.
    case WM_TIMECHANGE:
      reminders_.Check();
      shutdownWatch_.Check(shutdown_.Current());
      return 0;
    case WM_POWERBROADCAST:
      if (wp == PBT_APMRESUMEAUTOMATIC || wp == PBT_APMRESUMESUSPEND) {
        reminders_.Check();
        shutdownWatch_.Check(shutdown_.Current());
      }
      return TRUE;
  }
  return Window::WindowProc(message, wp, lp);
}
