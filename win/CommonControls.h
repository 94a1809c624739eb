// The common controls library, loaded when first needed instead of before
// the program's first line: under Wine its start-up is the slowest part of
// ours, and the start timer hides it when it runs after the frame exists.
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace win {

// InitCommonControlsEx for the given classes; false when the library is missing.
bool InitCommonControls(DWORD classes);
HIMAGELIST ImageListCreate(int cx, int cy, UINT flags, int initial, int grow);
int ImageListAddIcon(HIMAGELIST list, HICON icon);

}  // namespace win
