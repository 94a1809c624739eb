#include "plans/win/PlanEditDlg.h"

#include "common/win/Palette.h"
#include "plans/win/PlanReminders.h"
#include "resources/planner_ids.h"
#include "win/Controls.h"
#include "win/MessageBox.h"

namespace {
constexpr int kListIds[PlanEditData::kListCount] = {IDC_EDIT_YEAR, IDC_EDIT_MONTH, IDC_EDIT_DAY, IDC_EDIT_HOUR,
                                                    IDC_EDIT_MINUTE};
}  // namespace

CPlanEditDlg::CPlanEditDlg() : Dialog(IDD_PLAN_EDIT) {}

BOOL CPlanEditDlg::OnInitDialog() {
  // The drop-down lists are coloured too; the content box keeps the system's.
  SetColors(palette::kText, palette::kPaper, /*lists=*/true);
  save_.Attach(hwnd_, IDC_EDIT_SAVE);
  cancel_.Attach(hwnd_, IDCANCEL);
  if (data.mode == PlanEditData::kAdd) data.StartAdd(CurrentPlanTime());
  for (int l = 0; l < PlanEditData::kListCount; ++l) {
    auto list = static_cast<PlanEditData::List>(l);
    win::ComboBox box(hwnd_, kListIds[l]);
    for (int i = 0; i < PlanEditData::EntryCount(list); ++i) box.AddString(PlanEditData::EntryText(list, i));
    box.SetCurSel(data.SelectedIndex(list));
    box.Enable(data.TimeListsEnabled());
  }
  if (data.mode == PlanEditData::kChange) SetItemText(IDC_EDIT_CONTENT, data.content);
  return TRUE;
}

void CPlanEditDlg::Save() {
  int selection[PlanEditData::kListCount];
  for (int l = 0; l < PlanEditData::kListCount; ++l) selection[l] = win::ComboBox(hwnd_, kListIds[l]).CurSel();
  if (const char* message = data.Accept(selection, ItemText(IDC_EDIT_CONTENT))) {
    win::ShowMessage(message);
    return;
  }
  EndDialog(IDOK);
}

bool CPlanEditDlg::OnButtonClicked(int id) {
  if (id == IDC_EDIT_SAVE) {
    Save();
    return true;
  }
  return Dialog::OnButtonClicked(id);
}
