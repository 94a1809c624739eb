#include "common/win/CheckListCtrl.h"

#include <windowsx.h>

#include <string>

#include "common/win/Palette.h"
#include "resources/app_ids.h"
#include "common/Text.h"
#include "win/CommonControls.h"
#include "win/Gdi.h"

namespace {
constexpr int kCheckSize = 13;
constexpr int kCheckGap = 4;

HBITMAP CheckBitmap(bool checked) {
  // Loaded once and kept for the life of the process.
  static HBITMAP on = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_CHECK_ON));
  static HBITMAP off = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_CHECK_OFF));
  return checked ? on : off;
}
}  // namespace

void CCheckListCtrl::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  win::Brush fill(CreateSolidBrush(selected ? palette::kGreen : palette::kWhite));
  FillRect(dc, &r, fill);
  SetTextColor(dc, selected ? palette::kWhite : palette::kText);
  SetBkMode(dc, TRANSPARENT);

  win::Pen pen(CreatePen(PS_SOLID, 1, palette::kGreen));
  win::Select usePen(dc, pen);
  MoveToEx(dc, r.left, r.bottom - 1, nullptr);
  LineTo(dc, r.right, r.bottom - 1);

  int item_index = static_cast<int>(item.itemID);
  int x = -GetScrollPos(hwnd_, SB_HORZ);
  win::ListView view = View();
  for (int col = 0; col < settings_.columnCount; ++col) {
    int width = view.ColumnWidth(col);
    int right = x + width;
    MoveToEx(dc, right - 1, r.top, nullptr);
    LineTo(dc, right - 1, r.bottom);
    RECT textRect{x + 2, r.top, right - 2, r.bottom};
    std::string label = view.ItemText(item_index, col);
    if (col == 0 && settings_.firstColumnIsCheck) {
      bool checked = label == kCheckedText;
      win::OwnedDc mem = win::OwnedDc::Compatible(dc);
      {
        win::Select bmp(mem, CheckBitmap(checked));
        BitBlt(dc, r.left + 2, r.top + 2, kCheckSize, kCheckSize, mem, 0, 0, SRCCOPY);
      }
      // The text starts a few pixels clear of the image, not against it.
      textRect.left = r.left + 2 + kCheckSize + kCheckGap;
    }
    // "&" in a remark is text, not a mnemonic.
    win::DrawText(dc, label, textRect, DT_VCENTER | DT_SINGLELINE | DT_LEFT | DT_NOPREFIX);
    x = right;
  }
}

void CCheckListCtrl::SetRowHeightImages(int iconId) const {
  // The list destroys the image list with itself.
  HIMAGELIST rows = win::ImageListCreate(1, 16, ILC_COLOR4 | ILC_MASK, 2, 2);
  win::ImageListAddIcon(rows, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId)));
  View().SetImageList(rows);
}

void CCheckListCtrl::ShowRows(int count, int selectRow) const {
  win::ListView view = View();
  view.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  view.SetItemCount(count);
  if (selectRow >= 0) {
    view.SetItemState(selectRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    view.EnsureVisible(selectRow);
  }
  Invalidate(false);
}

LVHITTESTINFO CCheckListCtrl::HitAtMessagePos() const {
  DWORD pos = GetMessagePos();
  POINT pt{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
  ScreenToClient(hwnd_, &pt);
  return View().SubItemHitTest(pt);
}

void CCheckListCtrl::FillCell(NMLVDISPINFOW& info, const std::string& text) {
  LVITEMW& item = info.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  std::wstring wide = text::Widen(text);
  for (wchar_t& c : wide)
    if (c == L'\r' || c == L'\n') c = L' ';
  lstrcpynW(item.pszText, wide.c_str(), item.cchTextMax);
}
