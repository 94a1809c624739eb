// What the ledger and report windows share about their entry lists: the
// five columns over a virtual check-mark list, the cells asked for, and the
// row and column of a click.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/win/CheckListCtrl.h"

namespace ledger_win {

// Takes over the list (LVS_OWNERDATA) with the five entry columns and the
// check image in column 0.
void AttachEntryList(CCheckListCtrl& list, HWND dialog, int id);
// Rows 16 pixels high, as the plan manager's: an image list of images one
// pixel wide holding the program icon.
void SetRowHeightImages(const CCheckListCtrl& list);
// Answers LVN_GETDISPINFO with the cell's text (line breaks as blanks).
void FillCell(NMLVDISPINFOW& info, const std::string& text);
// The row and column under the cursor position of the current message.
LVHITTESTINFO HitAtMessagePos(const CCheckListCtrl& list);

}  // namespace ledger_win
