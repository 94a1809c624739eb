// The owner-drawn report list of the plan and ledger windows: green
// selection and grid lines, and in the first column a check image that shows
// whether the item's text there is "选中".
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "win/Window.h"

class CCheckListCtrl : public win::Window {
 public:
  // Takes over a list view of a dialog (report style, single selection,
  // LVS_OWNERDRAWFIXED).
  bool Attach(HWND dialog, int id) { return SubclassItem(dialog, id); }

  // Set by the owner after it has inserted its columns.
  int noCheckImage = 0;  // 1: column 0 is plain text
  int columnCount = 0;

  // Index of the first selected item, or -1.
  int SelectedItem() const;
  void DrawItem(const DRAWITEMSTRUCT& item);

  // The text in column 0 that shows the checked image.
  static constexpr char kCheckedText[] = "选中";

 protected:
  bool OnReflectedDrawItem(const DRAWITEMSTRUCT& item) override {
    DrawItem(item);
    return true;
  }
};
