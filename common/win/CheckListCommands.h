// The commands that the plan manager and the ledger window share over a
// check-mark list whose rows come from a CCheckedRows model with Add and
// ApplyChange of its own (the plan list, the ledger): a click on a row, add,
// change, delete, the report of a save that failed, and the list's
// notifications.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/win/CheckListCtrl.h"
#include "common/win/SaveTexts.h"
#include "win/MessageBox.h"

namespace check_list {

// After a command that saves: the user learns when the file was not written,
// so that nothing typed is believed safe when it is not.
template <class Rows>
void ReportSave(const Rows& rows) {
  if (rows.SaveFailed()) win::ShowMessage(save_text::kFailed);
}

// NM_CLICK: the model takes the click; showRow(row) shows the row hit below
// the list, and a click in the check column redraws the row's mark.
template <class Rows, class ShowRow>
void Click(const CCheckListCtrl& list, Rows& rows, int checkColumn, ShowRow showRow) {
  LVHITTESTINFO hit = list.HitAtMessagePos();
  if (!rows.Click(hit.iItem, hit.iSubItem)) return;
  showRow(hit.iItem);
  if (hit.iSubItem == checkColumn) list.View().RedrawItem(hit.iItem);
}

// Add: the editor run modally, its accepted data a new row of the model,
// shown selected. Returns the new row, or -1.
template <class Rows, class Editor>
int Add(const CCheckListCtrl& list, Rows& rows, Editor& editor, HWND owner) {
  if (editor.DoModal(owner) != IDOK) return -1;
  int row = rows.Add(editor.data);
  list.ShowRows(rows.Count(), row);
  ReportSave(rows);
  return row;
}

// Change: the selected row into the editor (or the model's message when none
// is selected), the editor run modally, its accepted data back into the row.
// Returns the row changed, or -1.
template <class Rows, class Editor>
int Change(const CCheckListCtrl& list, Rows& rows, Editor& editor, HWND owner) {
  int row = list.SelectedItem();
  if (const char* message = rows.PrepareChange(row, editor.data)) {
    win::ShowMessage(message);
    return -1;
  }
  if (editor.DoModal(owner) != IDOK) return -1;
  rows.ApplyChange(row, editor.data);
  list.View().RedrawItem(row);
  ReportSave(rows);
  return row;
}

// Delete: the checked rows go, the list shows the rest with none selected;
// false (after the model's message) when none was checked.
template <class Rows>
bool DeleteChecked(const CCheckListCtrl& list, Rows& rows) {
  if (const char* message = rows.DeleteChecked()) {
    win::ShowMessage(message);
    return false;
  }
  list.ShowRows(rows.Count(), -1);
  ReportSave(rows);
  return true;
}

// The list's notifications: LVN_GETDISPINFOW answered with cellText(row,
// column) for the rows 0 to count - 1 (empty beyond), NM_CLICK to onClick,
// NM_DBLCLK on a selected row to onChange. False for any other.
template <class CellText, class OnClick, class OnChange>
bool OnNotify(const CCheckListCtrl& list, NMHDR* header, int count, CellText cellText, OnClick onClick,
              OnChange onChange) {
  switch (header->code) {
    case LVN_GETDISPINFOW: {
      auto& info = *reinterpret_cast<NMLVDISPINFOW*>(header);
      int row = info.item.iItem;
      CCheckListCtrl::FillCell(info, row >= 0 && row < count ? cellText(row, info.item.iSubItem) : std::string());
      return true;
    }
    case NM_CLICK:
      onClick();
      return true;
    case NM_DBLCLK:
      if (list.SelectedItem() >= 0) onChange();
      return true;
  }
  return false;
}

}  // namespace check_list
