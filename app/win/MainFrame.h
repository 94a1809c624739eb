// The hidden main frame "Pagorin": owns the hot-key records, routes every
// menu command and private message, opens the capture window and the
// management center, and ends the program.
#pragma once
#include <memory>

#include "app/HotKeyDispatch.h"
#include "app/win/HotKeySource.h"
#include "assistant/BossKeyRecord.h"
#include "assistant/CdKeyRecords.h"
#include "assistant/ShutdownSettings.h"
#include "assistant/win/CdTray.h"
#include "assistant/win/ShutdownWatch.h"
#include "capture/win/CaptureEngine.h"
#include "capture/win/CaptureSettingsStore.h"
#include "common/win/TrayIcon.h"
#include "online/UpdateThread.h"
#include "plans/PlanQueue.h"
#include "plans/win/PlanReminders.h"
#include "win/Handles.h"
#include "win/Window.h"

class CCaptureDlg;
class CCenterDlg;

class CMainFrame : public win::Window {
 public:
  CMainFrame();
  ~CMainFrame() override;

  // The one frame, reachable program-wide; null before it is made.
  static CMainFrame* Instance();

  bool CreateFrame();

  // Operations the other windows call.
  void ReloadAll();
  // Gives the capture engine the current capture settings and the hot-key
  // source the current records.
  void ReloadHotKeys();
  void ShowCaptureDialog();
  bool MakeCaptureDialog();
  void OpenCenter();  // the management center, made on first use
  void ShowAbout(int templateId);
  void StartInfoCenter();
  void ExitProgram();
  // Refills the upcoming plan queue from the plan file; returns 0.
  int ReloadPlans();
  // "显示计划": a reminder prompt for the next plan, or an empty one.
  void ShowPlanPrompt();
  // The shutdown time read again from "data3\"; 0 when it was read, 1 when
  // not set. (The shutdown dialog, the boss-key and the CD pages save
  // through the frame's stores and post their reload messages, which only
  // pass the values on.)
  int ReloadShutdown();

  // The capture sequences.
  // False when refused because a capture is running already.
  bool OnCaptureFullScreen();
  // The same after a one-off delay of seconds, with a countdown.
  bool OnCaptureFullScreenAfter(int seconds);
  bool OnCaptureWindow();
  bool OnCaptureRegion();

  // The hot-key records the dispatch compares, in order.
  HotKeySet CurrentHotKeys() const;
  // What the capture settings page writes through, wherever it is shown.
  CCaptureSettingsStore& CaptureSettings() { return captureSettings_; }
  CRecordStore<BossKeyRecord>& BossKeyStore() { return bossKey_; }
  CRecordStore<CdKeyRecords>& CdKeyStore() { return cdKeys_; }
  CShutdownStore& ShutdownStore() { return shutdown_; }

 protected:
  int OnCreate(CREATESTRUCTW* cs) override;
  void OnTimer(UINT_PTR id) override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnInitMenuPopup(HMENU menu, UINT pos, bool system) override;
  void OnClose() override;
  void OnDestroy() override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  static constexpr UINT_PTR kStartTimer = 10;
  static constexpr UINT_PTR kReminderTimer = 0x706C;  // the plan reminders' wake at the next due plan
  static constexpr UINT_PTR kUpdateTimer = 0x7570;    // the update worker's first pause
  static constexpr UINT_PTR kShutdownTimer = 0x7364;  // the automatic shutdown's wake at its minute
  // How long the frame's end waits for an update worker busy in a download.
  static constexpr int kUpdateStopGraceMs = 1000;

  LRESULT OnTrayCallback(LPARAM mouseMessage);
  void OnKeyReport(int keyCode, int flags);
  void SetFrameVisible(bool visible);
  // WM_COMMAND 1224 + i / 1254 + i: the tray of CD drive i; false for other ids.
  bool OnCdCommand(int id);
  void RequestAllTrays(bool open);
  // The watch looks at the shutdown time the store holds now.
  void CheckShutdown();

  std::unique_ptr<CCaptureDlg> captureDlg_;
  std::unique_ptr<CCenterDlg> center_;
  win::Menu trayMenu_;
  CRecordStore<BossKeyRecord> bossKey_;
  CRecordStore<CdKeyRecords> cdKeys_;
  CCdDriveTable cdDrives_;
  CShutdownStore shutdown_;
  CShutdownWatch shutdownWatch_;
  CHotKeySource hotKeys_;
  CUpdateThread updateWorker_;
  CTrayIcon trayIcon_;
  CCaptureSettingsStore captureSettings_;
  CCaptureEngine capture_;
  CPlanQueue planQueue_;
  CPlanReminders reminders_;
};
