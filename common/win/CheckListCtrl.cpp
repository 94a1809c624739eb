#include "common/win/CheckListCtrl.h"

#include <string>

#include "common/Text.h"
#include "resources/app_ids.h"
#include "win/Gdi.h"

namespace {
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr int kCheckSize = 13;
constexpr int kCheckGap = 4;

std::wstring ItemText(HWND list, int item, int column) {
  std::wstring buf(1024, L'\0');
  LVITEMW it{};
  it.iSubItem = column;
  it.pszText = &buf[0];
  it.cchTextMax = static_cast<int>(buf.size());
  int n = static_cast<int>(SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it)));
  buf.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return buf;
}

HBITMAP CheckBitmap(bool checked) {
  // Loaded once and kept for the life of the process.
  static HBITMAP on = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_CHECK_ON));
  static HBITMAP off = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_CHECK_OFF));
  return checked ? on : off;
}
}  // namespace

int CCheckListCtrl::SelectedItem() const {
  return static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void CCheckListCtrl::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  win::Brush fill(CreateSolidBrush(selected ? kGreen : RGB(255, 255, 255)));
  FillRect(dc, &r, fill);
  SetTextColor(dc, selected ? RGB(255, 255, 255) : RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);

  win::Pen pen(CreatePen(PS_SOLID, 1, kGreen));
  win::Select usePen(dc, pen);
  MoveToEx(dc, r.left, r.bottom - 1, nullptr);
  LineTo(dc, r.right, r.bottom - 1);

  int item_index = static_cast<int>(item.itemID);
  int x = -GetScrollPos(hwnd_, SB_HORZ);
  for (int col = 0; col < columnCount; ++col) {
    int width = static_cast<int>(SendMessageW(hwnd_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(col), 0));
    int right = x + width;
    MoveToEx(dc, right - 1, r.top, nullptr);
    LineTo(dc, right - 1, r.bottom);
    RECT textRect{x + 2, r.top, right - 2, r.bottom};
    std::wstring label = ItemText(hwnd_, item_index, col);
    if (col == 0 && !noCheckImage) {
      bool checked = text::Narrow(label) == kCheckedText;
      win::OwnedDc mem = win::OwnedDc::Compatible(dc);
      {
        win::Select bmp(mem, CheckBitmap(checked));
        BitBlt(dc, r.left + 2, r.top + 2, kCheckSize, kCheckSize, mem, 0, 0, SRCCOPY);
      }
      // The text starts a few pixels clear of the image, not against it.
      textRect.left = r.left + 2 + kCheckSize + kCheckGap;
    }
    DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &textRect, DT_VCENTER | DT_SINGLELINE | DT_LEFT);
    x = right;
  }
}
