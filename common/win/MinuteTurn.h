// Timers that fire just after the local minute turns: the minute checks of
// the plan reminders and of the automatic shutdown.
#pragma once
#include <windows.h>

// Arms the window's timer for a little after the next minute turn, so that
// timer jitter never lands the check at the end of the minute before.
void SetMinuteTurnTimer(HWND window, UINT_PTR timerId);
