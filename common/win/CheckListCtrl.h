// The owner-drawn report list of the plan and ledger windows: green
// selection and grid lines, and in the first column a check image that shows
// whether the item's text there is "选中".
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "win/Controls.h"
#include "win/Window.h"

class CCheckListCtrl : public win::Window {
 public:
  struct Settings {
    int columnCount = 0;
    bool firstColumnIsCheck = true;  // false: column 0 is plain text
  };

  // Takes over a list view of a dialog (report style, single selection,
  // LVS_OWNERDRAWFIXED) that shows the given columns.
  bool Attach(HWND dialog, int id, Settings settings) {
    settings_ = settings;
    return SubclassItem(dialog, id);
  }
  win::ListView View() const { return win::ListView(hwnd_); }

  // Index of the first selected item, or -1.
  int SelectedItem() const { return View().SelectedItem(); }

  // Rows 16 pixels high: an image list of images one pixel wide holding the
  // icon, which shows nothing.
  void SetRowHeightImages(int iconId) const;
  // A list that holds no rows of its own (LVS_OWNERDATA) shows count rows,
  // selecting selectRow (-1: none); an old selection would name another row.
  void ShowRows(int count, int selectRow) const;
  // The row and column under the cursor position of the current message
  // (an NM_CLICK's), -1 for none.
  LVHITTESTINFO HitAtMessagePos() const;
  // Answers LVN_GETDISPINFO with a cell's text, its line breaks as blanks.
  static void FillCell(NMLVDISPINFOW& info, const std::string& text);
  void DrawItem(const DRAWITEMSTRUCT& item);

  // The text in column 0 that shows the checked image.
  static constexpr char kCheckedText[] = "选中";

 protected:
  bool OnReflectedDrawItem(const DRAWITEMSTRUCT& item) override {
    DrawItem(item);
    return true;
  }

 private:
  Settings settings_;
};
