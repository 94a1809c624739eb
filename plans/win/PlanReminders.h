// Reminders that come by themselves: one timer of the frame wakes the
// reminders just after the minute of the next plan (at the latest after a
// few hours and at the day change), which then open a reminder prompt for
// each plan of the whole plan file that came due, once per plan per run.
// Plans that fell due while the program was not running are listed once at
// start in "错过的提醒": "data\reminder.ini" keeps the minute of the last
// check, up to which every plan came. (Not the minute of the end: a plan
// added behind the program's back after the last check never came.)
#pragma once
#include <windows.h>

#include <optional>

#include "calendar/HolidayCalendar.h"
#include "plans/PlanStore.h"
#include "plans/ReminderClock.h"

// The holiday file of the program folder, read once: the working days that
// repeating plans follow.
const CHolidayCalendar& PlanHolidays();

class CPlanReminders {
 public:
  CPlanReminders();

  // Lists the plans missed since the last run, then checks and arms the
  // owner's timer; the owner passes that timer's WM_TIMER to OnTimer.
  // Prompts are owned by owner.
  void Start(HWND owner, UINT_PTR timerId);
  void OnTimer() { Check(); }
  // Opens a prompt for every plan that came due since the last check, notes
  // the minute as the last run, and arms the timer for the next due plan.
  // Called also when the plans change, the clock is set and the computer
  // resumes.
  void Check();

 private:
  void RecordLastRun(const MinuteTime& now);

  HWND owner_ = nullptr;
  UINT_PTR timerId_ = 0;
  MinuteTime startedAt_;
  CReminderClock clock_;
  std::optional<MinuteTime> recorded_;  // the last run as last written
};
