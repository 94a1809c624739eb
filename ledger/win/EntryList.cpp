#include "ledger/win/EntryList.h"

#include <windowsx.h>

#include "common/Text.h"
#include "ledger/Ledger.h"
#include "resources/app_ids.h"
#include "win/CommonControls.h"

namespace ledger_win {

void AttachEntryList(CCheckListCtrl& list, HWND dialog, int id) {
  list.Attach(dialog, id, {ledger::kColumnCount, /*firstColumnIsCheck=*/true});
  for (int c = 0; c < ledger::kColumnCount; ++c)
    list.View().InsertColumn(c, ledger::ColumnHeader(c), ledger::ColumnWidth(c));
  SetRowHeightImages(list);
}

void SetRowHeightImages(const CCheckListCtrl& list) {
  // The list destroys the image list with itself.
  HIMAGELIST rows = win::ImageListCreate(1, 16, ILC_COLOR4 | ILC_MASK, 2, 2);
  win::ImageListAddIcon(rows, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
  list.View().SetImageList(rows);
}

void FillCell(NMLVDISPINFOW& info, const std::string& text) {
  LVITEMW& item = info.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  std::wstring wide = text::Widen(text);
  for (wchar_t& c : wide)
    if (c == L'\r' || c == L'\n') c = L' ';
  lstrcpynW(item.pszText, wide.c_str(), item.cchTextMax);
}

LVHITTESTINFO HitAtMessagePos(const CCheckListCtrl& list) {
  DWORD pos = GetMessagePos();
  POINT pt{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
  ScreenToClient(list.hwnd(), &pt);
  return list.View().SubItemHitTest(pt);
}

}  // namespace ledger_win
