// Timers that fire just after a local minute turns: the wakes of the plan
// reminders and of the automatic shutdown.
#pragma once
#include <windows.h>

// Arms the window's timer for a little after the turn to the minute that is
// minutesAhead (at least 1) from the current one, so that timer jitter never
// lands the check at the end of the minute before.
void SetMinuteTurnTimer(HWND window, UINT_PTR timerId, int minutesAhead = 1);
