// The toolbox windows that the management center's fixed buttons open:
// calendar, plan manager, ledger, automatic shutdown and settings. Each of
// those windows is connected here, in one place, by the change that adds it.
#pragma once
#include <windows.h>

// True when buttonId is one of those buttons; then its window is opened
// modally over center (once that window exists).
bool OpenToolboxWindow(int buttonId, HWND center);
