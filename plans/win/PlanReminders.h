// Reminders that come by themselves: just after every minute turns, the
// frame's timer asks which plans of the whole plan file came due and opens a
// reminder prompt for each, once per plan per run. Plans that fell due
// before the program started are not replayed.
#pragma once
#include <windows.h>

#include "calendar/HolidayCalendar.h"
#include "plans/PlanStore.h"
#include "plans/ReminderClock.h"

// The holiday file of the program folder, read once: the working days that
// repeating plans follow.
const CHolidayCalendar& PlanHolidays();

class CPlanReminders {
 public:
  CPlanReminders();

  // Arms the owner's timer for the turn of the next minute; the owner passes
  // that timer's WM_TIMER to OnTimer. Prompts are owned by owner.
  void Start(HWND owner, UINT_PTR timerId);
  void OnTimer();
  // Opens a prompt for every plan that came due since the last check.
  void Check();

 private:
  void Arm();

  HWND owner_ = nullptr;
  UINT_PTR timerId_ = 0;
  CReminderClock clock_;
};
