// The frame's side of the automatic shutdown: just after every minute turns
// it compares the clock with the shutdown settings and, once a day at the
// stored minute, opens the countdown; at its end the computer shuts down.
#pragma once
#include <windows.h>

#include <memory>

#include "assistant/ShutdownSettings.h"
#include "assistant/win/ShutdownPromptDlg.h"

class CShutdownWatch {
 public:
  CShutdownWatch();
  ~CShutdownWatch();

  // Arms the owner's timer for the next minute turn; the owner passes that
  // timer's WM_TIMER to OnTimer. The countdown is owned by owner.
  void Start(HWND owner, UINT_PTR timerId);
  void OnTimer(const ShutdownSettings& settings);
  // Opens the countdown when the settings are due now.
  void Check(const ShutdownSettings& settings);

 private:
  void Arm();

  HWND owner_ = nullptr;
  UINT_PTR timerId_ = 0;
  ShutdownSchedule schedule_;
  std::unique_ptr<CShutdownPromptDlg> prompt_;
};

// Shuts the computer down (with the shutdown privilege). Tests name a file in
// BROVA_TEST_SHUTDOWN_MARKER, which is written instead.
void ShutDownComputer();
