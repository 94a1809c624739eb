#include "plans/win/PlanEditDlg.h"

#include "common/CivilDate.h"
#include "common/win/LocalClock.h"
#include "common/win/Palette.h"
#include "plans/win/PlanReminders.h"
#include "resources/planner_ids.h"
#include "win/Controls.h"

namespace {
constexpr int kListIds[PlanEditData::kListCount] = {IDC_EDIT_YEAR, IDC_EDIT_MONTH, IDC_EDIT_DAY, IDC_EDIT_HOUR,
                                                    IDC_EDIT_MINUTE};
// The weekday boxes run Monday to Sunday; weekday numbers are 1 = Sunday ... 7 = Saturday.
constexpr int kWeekdayOfBox[7] = {2, 3, 4, 5, 6, 7, 1};
}  // namespace

CPlanEditDlg::CPlanEditDlg() : CEditorDlg(IDD_PLAN_EDIT, IDC_EDIT_SAVE) {}

BOOL CPlanEditDlg::OnInitDialog() {
  // The drop-down lists are coloured too; the content box keeps the system's.
  SetColors(palette::kText, palette::kPaper, /*lists=*/true);
  AttachButtons();
  if (data.mode == PlanEditData::kAdd) data.StartAdd(LocalNow());
  FillTimeLists(kListIds, data);
  FillRepeatControls();
  if (data.mode == PlanEditData::kChange) SetItemText(IDC_EDIT_CONTENT, data.content);
  return TRUE;
}

void CPlanEditDlg::FillRepeatControls() {
  const PlanEditData::RepeatChoice& choice = data.repeatChoice;
  win::ComboBox kinds(hwnd_, IDC_EDIT_REPEAT);
  for (int i = 0; i < PlanEditData::kRepeatKindCount; ++i) kinds.AddString(PlanEditData::RepeatKindText(i));
  kinds.SetCurSel(static_cast<int>(choice.kind));
  for (int i = 0; i < 7; ++i)
    win::Button(hwnd_, IDC_EDIT_WEEKDAY_MON + i).SetCheck((choice.weekdays & repeat::WeekdayBit(kWeekdayOfBox[i])) != 0);
  win::Button(hwnd_, IDC_EDIT_LEAP_MONTH).SetCheck(choice.withLeapMonth);
  win::Edit end(hwnd_, IDC_EDIT_END);
  end.SetText(choice.endText);
  end.SetLimit(10);
  // A rule, like the time, is not changed in change mode.
  const bool enabled = data.TimeListsEnabled();
  for (int id = IDC_EDIT_REPEAT; id <= IDC_EDIT_END; ++id)
    if (id != IDC_EDIT_REPEAT_TEXT) win::Control(hwnd_, id).Enable(enabled);
  ShowRepeatChoice();
}

PlanEditData::RepeatChoice CPlanEditDlg::ReadRepeatControls() const {
  PlanEditData::RepeatChoice choice;
  int kind = win::ComboBox(hwnd_, IDC_EDIT_REPEAT).CurSel();
  if (kind > 0 && kind < PlanEditData::kRepeatKindCount) choice.kind = static_cast<RepeatKind>(kind);
  for (int i = 0; i < 7; ++i)
    if (win::Button(hwnd_, IDC_EDIT_WEEKDAY_MON + i).Checked()) choice.weekdays |= repeat::WeekdayBit(kWeekdayOfBox[i]);
  choice.withLeapMonth = win::Button(hwnd_, IDC_EDIT_LEAP_MONTH).Checked();
  choice.endText = ItemText(IDC_EDIT_END);
  return choice;
}

void CPlanEditDlg::ShowRepeatChoice() {
  PlanEditData::RepeatChoice choice = ReadRepeatControls();
  // The time the lists show; in change mode the row's own.
  MinuteTime start = data.time;
  if (data.TimeListsEnabled()) {
    int selection[PlanEditData::kListCount];
    ReadTimeLists(kListIds, selection);
    if (selection[0] >= 0 && selection[1] >= 0 && selection[2] >= 0)
      start = MinuteTime{PlanEditData::kBaseYear + selection[0], selection[1] + 1, selection[2] + 1, 0, 0};
  }
  // 每周 starts on the chosen day's weekday until the user picks others.
  if (choice.kind == RepeatKind::kWeekly && choice.weekdays == 0 && data.TimeListsEnabled() &&
      civil::IsValidDate(start.year, start.month, start.day)) {
    const int weekday = civil::Weekday(start.year, start.month, start.day);
    for (int i = 0; i < 7; ++i)
      if (kWeekdayOfBox[i] == weekday) win::Button(hwnd_, IDC_EDIT_WEEKDAY_MON + i).SetCheck(true);
    choice.weekdays = repeat::WeekdayBit(weekday);
  }
  for (int i = 0; i < 7; ++i) win::Control(hwnd_, IDC_EDIT_WEEKDAY_MON + i).Show(choice.kind == RepeatKind::kWeekly);
  win::Control(hwnd_, IDC_EDIT_LEAP_MONTH).Show(choice.kind == RepeatKind::kLunarYearly);
  const bool repeats = choice.kind != RepeatKind::kOnce;
  win::Control(hwnd_, IDC_EDIT_END_LABEL).Show(repeats);
  win::Control(hwnd_, IDC_EDIT_END).Show(repeats);
  win::Control(hwnd_, IDC_EDIT_END_HINT).Show(repeats);
  SetItemText(IDC_EDIT_REPEAT_TEXT, PlanEditData::Describe(choice, start));
}

bool CPlanEditDlg::OnCommand(int id, int code, HWND control) {
  const bool timeOrKind = code == CBN_SELCHANGE && (id == IDC_EDIT_REPEAT || id == IDC_EDIT_YEAR ||
                                                    id == IDC_EDIT_MONTH || id == IDC_EDIT_DAY);
  const bool box = code == BN_CLICKED && id >= IDC_EDIT_WEEKDAY_MON && id <= IDC_EDIT_LEAP_MONTH;
  if (timeOrKind || box || (id == IDC_EDIT_END && code == EN_CHANGE)) {
    ShowRepeatChoice();
    return true;
  }
  return CEditorDlg::OnCommand(id, code, control);
}

void CPlanEditDlg::Save() {
  int selection[PlanEditData::kListCount];
  ReadTimeLists(kListIds, selection);
  Finish(data.Accept(selection, ItemText(IDC_EDIT_CONTENT), ReadRepeatControls(), PlanHolidays()));
}
