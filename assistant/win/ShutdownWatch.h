// The frame's side of the automatic shutdown: just after every minute turns
// it compares the clock with the shutdown settings and, once a day at the
// stored minute, opens the countdown; at its end the computer shuts down.
// A countdown whose time is cancelled or changed meanwhile closes.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "assistant/ShutdownSettings.h"
#include "assistant/win/ShutdownPromptDlg.h"

// Shuts the computer down (with the shutdown privilege). Tests name a file in
// BROVA_TEST_SHUTDOWN_MARKER, which is written instead.
void ShutDownComputer();

class CShutdownWatch {
 public:
  // shutDown runs at the end of a countdown of the given seconds.
  explicit CShutdownWatch(std::function<void()> shutDown = ShutDownComputer,
                          int seconds = CShutdownPromptDlg::kSeconds);
  ~CShutdownWatch();

  // Arms the owner's timer for the next minute turn; the owner passes that
  // timer's WM_TIMER to OnTimer. The countdown is owned by owner.
  void Start(HWND owner, UINT_PTR timerId);
  void OnTimer(const ShutdownSettings& settings);
  // Called whenever the settings are read: closes an open countdown that the
  // settings no longer hold (cancelled, or another time), then opens the
  // countdown when they are due now.
  void Check(const ShutdownSettings& settings);
  void Check(const ShutdownSettings& settings, const LocalMinute& now);
  // True while a countdown shows.
  bool Counting() const;

 private:
  void Arm();

  std::function<void()> shutDown_;
  int seconds_;
  HWND owner_ = nullptr;
  UINT_PTR timerId_ = 0;
  CShutdownSchedule schedule_;
  std::unique_ptr<CShutdownPromptDlg> prompt_;
  ShutdownSettings countingFor_;
};
