// Thin, non-owning wrappers of the standard controls: one inline method per
// message, typed results, nothing cached. Text is UTF-8.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/Text.h"
#include "win/Dpi.h"
#include "win/Window.h"

namespace win {

class Control {
 public:
  explicit Control(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  Control(HWND dialog, int id) : hwnd_(GetDlgItem(dialog, id)) {}
  HWND hwnd() const { return hwnd_; }
  std::string Text() const { return TextOf(hwnd_); }
  void SetText(const std::string& utf8) const { SetTextOf(hwnd_, utf8); }
  void Enable(bool on) const { EnableWindow(hwnd_, on); }
  bool IsEnabled() const { return IsWindowEnabled(hwnd_) != 0; }
  void Show(bool on) const { ShowWindow(hwnd_, on ? SW_SHOW : SW_HIDE); }
  void Move(int x, int y, int w, int h, bool repaint = true) const { MoveWindow(hwnd_, x, y, w, h, repaint); }
  void SetFont(HFONT font, bool redraw = true) const {
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
  }
  void Focus() const { SetFocus(hwnd_); }

 protected:
  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return SendMessageW(hwnd_, msg, wp, lp); }
  HWND hwnd_;
};

class Button : public Control {
 public:
  using Control::Control;
  bool Checked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
  void SetCheck(bool on) const { Send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }
};

class Edit : public Control {
 public:
  using Control::Control;
  void SetLimit(int chars) const { Send(EM_LIMITTEXT, static_cast<WPARAM>(chars)); }
  void SetReadOnly(bool on) const { Send(EM_SETREADONLY, on); }
  void SetSel(int start, int end) const { Send(EM_SETSEL, start, end); }
  void ReplaceSel(const std::string& utf8) const {
    Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text::Widen(utf8).c_str()));
  }
};

class ComboBox : public Control {
 public:
  using Control::Control;
  int AddString(const std::string& utf8) const {
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text::Widen(utf8).c_str())));
  }
  void Reset() const { Send(CB_RESETCONTENT); }
  int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
  int CurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
  void SetCurSel(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
  std::string ItemText(int index) const {
    LRESULT n = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (n == CB_ERR) return std::string();
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    n = Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&buf[0]));
    buf.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text::Narrow(buf);
  }
};

class ListBox : public Control {
 public:
  using Control::Control;
  int AddString(const std::string& utf8) const {
    return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text::Widen(utf8).c_str())));
  }
  bool DeleteString(int index) const { return Send(LB_DELETESTRING, static_cast<WPARAM>(index)) != LB_ERR; }
  int Count() const { return static_cast<int>(Send(LB_GETCOUNT)); }
  // A multiple-selection list's marks; index -1 for every row.
  bool Selected(int index) const { return Send(LB_GETSEL, static_cast<WPARAM>(index)) > 0; }
  void SetSel(int index, bool on) const { Send(LB_SETSEL, on, index); }
  int SelCount() const { return static_cast<int>(Send(LB_GETSELCOUNT)); }
};

class ListView : public Control {
 public:
  using Control::Control;
  void SetExtendedStyle(DWORD style) const { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
  // width96 is in pixels at 96 DPI; the column gets it scaled to the list's DPI.
  int InsertColumn(int index, const std::string& title, int width96, int format = LVCFMT_LEFT) const {
    std::wstring w = text::Widen(title);
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    c.fmt = format;
    c.cx = Scale(hwnd_, width96);
    c.pszText = &w[0];
    return static_cast<int>(Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&c)));
  }
  int ColumnWidth(int column) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, column)); }
  int InsertItem(int index, const std::string& label) const {
    std::wstring w = text::Widen(label);
    LVITEMW it{};
    it.mask = LVIF_TEXT;
    it.iItem = index;
    it.pszText = &w[0];
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)));
  }
  bool SetItemText(int item, int column, const std::string& utf8) const {
    std::wstring w = text::Widen(utf8);
    LVITEMW it{};
    it.iSubItem = column;
    it.pszText = &w[0];
    return Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it)) != 0;
  }
  std::string ItemText(int item, int column) const {
    std::wstring buf(1024, L'\0');
    LVITEMW it{};
    it.iSubItem = column;
    it.pszText = &buf[0];
    it.cchTextMax = static_cast<int>(buf.size());
    int n = static_cast<int>(Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it)));
    buf.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text::Narrow(buf);
  }
  bool DeleteItem(int item) const { return Send(LVM_DELETEITEM, static_cast<WPARAM>(item)) != 0; }
  void DeleteAll() const { Send(LVM_DELETEALLITEMS); }
  int Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
  int NextItem(int start, UINT flags) const { return static_cast<int>(Send(LVM_GETNEXTITEM, start, flags)); }
  int SelectedItem() const { return NextItem(-1, LVNI_SELECTED); }
  void SetItemState(int item, UINT state, UINT mask) const {
    LVITEMW it{};
    it.state = state;
    it.stateMask = mask;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
  }
  void EnsureVisible(int item) const { Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE); }
  void SetRedraw(bool on) const { Send(WM_SETREDRAW, on); }
  // A list that holds no rows of its own (LVS_OWNERDATA) gets their count.
  void SetItemCount(int count) const { Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(count)); }
  void RedrawItem(int item) const { Send(LVM_REDRAWITEMS, static_cast<WPARAM>(item), item); }
  // The row and column at a point of the list's client area (-1 for none).
  LVHITTESTINFO SubItemHitTest(POINT pt) const {
    LVHITTESTINFO hit{};
    hit.pt = pt;
    Send(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return hit;
  }
  // The list destroys the image list with itself unless LVS_SHAREIMAGELISTS.
  void SetImageList(HIMAGELIST images, int which = LVSIL_SMALL) const {
    Send(LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(images));
  }
};

class TabCtrl : public Control {
 public:
  using Control::Control;
  int InsertItem(int index, const std::string& label) const {
    std::wstring w = text::Widen(label);
    TCITEMW it{};
    it.mask = TCIF_TEXT;
    it.pszText = &w[0];
    return static_cast<int>(Send(TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&it)));
  }
  int CurSel() const { return static_cast<int>(Send(TCM_GETCURSEL)); }
  void SetCurSel(int index) const { Send(TCM_SETCURSEL, static_cast<WPARAM>(index)); }
};

}  // namespace win
