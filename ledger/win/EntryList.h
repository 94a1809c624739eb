// The entry list that the ledger and report windows share: the five
// columns over a virtual check-mark list.
#pragma once
#include <windows.h>

#include "common/win/CheckListCtrl.h"

namespace ledger_win {

// Takes over the list (LVS_OWNERDATA) with the five entry columns, the check
// image in column 0 and rows 16 pixels high.
void AttachEntryList(CCheckListCtrl& list, HWND dialog, int id);
// Widens the list (with the info and remark boxes and the dialog) until its
// columns fit beside a vertical scroll bar, so that no horizontal one shows.
void FitColumns(HWND dialog, int id);

}  // namespace ledger_win
