// The toolbox windows that the management center's fixed buttons open:
// calendar, plan manager, ledger, automatic shutdown and settings. Each of
// those windows is connected here, in one place, by the change that adds it.
#pragma once
#include <windows.h>

#include "resources/center_ids.h"

constexpr int kToolboxButtonIds[] = {IDC_CENTER_CALENDAR, IDC_CENTER_PLANS, IDC_CENTER_SHUTDOWN, IDC_CENTER_SETTINGS,
                                     IDC_CENTER_LEDGER};

// True when buttonId is one of those buttons; then its window is opened
// modally over center (once that window exists).
bool OpenToolboxWindow(int buttonId, HWND center);
