#include "ledger/win/EntryList.h"

#include "ledger/Ledger.h"
#include "resources/app_ids.h"

namespace ledger_win {

void AttachEntryList(CCheckListCtrl& list, HWND dialog, int id) {
  list.Attach(dialog, id, {ledger::kColumnCount, /*firstColumnIsCheck=*/true});
  for (int c = 0; c < ledger::kColumnCount; ++c)
    list.View().InsertColumn(c, ledger::ColumnHeader(c), ledger::ColumnWidth(c));
  list.SetRowHeightImages(IDR_MAINFRAME);
}

}  // namespace ledger_win
