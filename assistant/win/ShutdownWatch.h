// The frame's side of the automatic shutdown: a timer wakes it just after the
// stored minute turns (and every few hours meanwhile; none while no time is
// stored), and once a day at that minute it opens the countdown; at its end
// the computer shuts down. A countdown whose time is cancelled or changed
// meanwhile closes.
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

  // The owner's timer to use; the owner passes that timer's WM_TIMER to
  // OnTimer. The countdown is owned by owner.
  void Start(HWND owner, UINT_PTR timerId);
  void OnTimer(const ShutdownSettings& settings) { Check(settings); }
  // Called whenever the settings are read and when the clock is set: closes
  // an open countdown that the settings no longer hold (cancelled, or
  // another time), opens the countdown when they are due now, and arms the
  // timer for their next minute.
  void Check(const ShutdownSettings& settings);
  void Check(const ShutdownSettings& settings, const LocalMinute& now);
  // True while a countdown shows.
  bool Counting() const;

 private:
  void Arm(const ShutdownSettings& settings, const LocalMinute& now);

  std::function<void()> shutDown_;
  int seconds_;
  HWND owner_ = nullptr;
  UINT_PTR timerId_ = 0;
  CShutdownSchedule schedule_;
  std::unique_ptr<CShutdownPromptDlg> prompt_;
  ShutdownSettings countingFor_;
};
