#include "ledger/win/EntryList.h"

#include "ledger/Ledger.h"
#include "resources/app_ids.h"
#include "resources/ledger_ids.h"

namespace ledger_win {

void AttachEntryList(CCheckListCtrl& list, HWND dialog, int id) {
  list.Attach(dialog, id, {ledger::kColumnCount, /*firstColumnIsCheck=*/true});
  for (int c = 0; c < ledger::kColumnCount; ++c)
    list.View().InsertColumn(c, ledger::ColumnHeader(c), ledger::ColumnWidth(c));
  list.SetRowHeightImages(IDR_MAINFRAME);
  FitColumns(dialog, id);
}

void FitColumns(HWND dialog, int id) {
  HWND list = GetDlgItem(dialog, id);
  int columns = 0;
  for (int c = 0; c < ledger::kColumnCount; ++c)
    columns += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
  RECT client;
  GetClientRect(list, &client);
  int missing = columns + GetSystemMetrics(SM_CXVSCROLL) - client.right;
  if (missing <= 0) return;
  // The boxes below the list keep its width; the dialog grows about its centre.
  for (int control : {id, static_cast<int>(IDC_LEDGER_INFO), static_cast<int>(IDC_LEDGER_REMARK_VIEW)}) {
    HWND h = GetDlgItem(dialog, control);
    RECT r;
    GetWindowRect(h, &r);
    SetWindowPos(h, nullptr, 0, 0, r.right - r.left + missing, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
  }
  RECT frame;
  GetWindowRect(dialog, &frame);
  SetWindowPos(dialog, nullptr, frame.left - missing / 2, frame.top, frame.right - frame.left + missing,
               frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ledger_win
