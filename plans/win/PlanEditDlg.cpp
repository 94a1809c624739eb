#include "plans/win/PlanEditDlg.h"

#include "common/win/Palette.h"
#include "plans/win/PlanReminders.h"
#include "resources/planner_ids.h"

namespace {
constexpr int kListIds[PlanEditData::kListCount] = {IDC_EDIT_YEAR, IDC_EDIT_MONTH, IDC_EDIT_DAY, IDC_EDIT_HOUR,
                                                    IDC_EDIT_MINUTE};
}  // namespace

CPlanEditDlg::CPlanEditDlg() : CEditorDlg(IDD_PLAN_EDIT, IDC_EDIT_SAVE) {}

BOOL CPlanEditDlg::OnInitDialog() {
  // The drop-down lists are coloured too; the content box keeps the system's.
  SetColors(palette::kText, palette::kPaper, /*lists=*/true);
  AttachButtons();
  if (data.mode == PlanEditData::kAdd) data.StartAdd(CurrentPlanTime());
  FillTimeLists<PlanEditData>(kListIds, data);
  if (data.mode == PlanEditData::kChange) SetItemText(IDC_EDIT_CONTENT, data.content);
  return TRUE;
}

void CPlanEditDlg::Save() {
  int selection[PlanEditData::kListCount];
  ReadTimeLists(kListIds, selection);
  Finish(data.Accept(selection, ItemText(IDC_EDIT_CONTENT)));
}
