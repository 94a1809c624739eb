#include "plans/win/PlanManagerDlg.h"

#include "common/FrameMessages.h"
#include "common/Text.h"
#include "common/win/CheckListCommands.h"
#include "common/win/LocalClock.h"
#include "common/win/Palette.h"
#include "common/win/ProgramFolder.h"
#include "common/win/SharedGdi.h"
#include "plans/win/PlanEditDlg.h"
#include "plans/win/PlanReminders.h"
#include "resources/app_ids.h"
#include "resources/planner_ids.h"
#include "win/App.h"
#include "win/Controls.h"
#include "win/Dpi.h"
#include "win/MessageBox.h"

#include <shellapi.h>

namespace {
constexpr char kOldVersionProgram[] = "velmo_old.exe";
// The smallest client area that keeps the layout whole: the button row fits
// across, and the list keeps its header and a few rows above the boxes.
constexpr int kMinClientWidth = 320;
constexpr int kMinClientHeight = 280;
// Time, rule and days to the next time: "2025-10-06 20:00 每年农历八月十五(含闰月) 还有 354 天".
constexpr int kRepeatingTimeColumnWidth = 320;
}  // namespace

CPlanManagerDlg::CPlanManagerDlg() : Dialog(IDD_PLAN_MANAGER) {}

BOOL CPlanManagerDlg::OnInitDialog() {
  SetIcons(IDR_MAINFRAME);
  SetColors(palette::kText, palette::kPaper);
  SetMinClientSize(kMinClientWidth, kMinClientHeight);
  CenterOnDesktop();

  add_.Attach(hwnd_, IDC_PLAN_ADD);
  change_.Attach(hwnd_, IDC_PLAN_CHANGE);
  delete_.Attach(hwnd_, IDC_PLAN_DELETE);
  oldVersion_.Attach(hwnd_, IDC_PLAN_OLD_VERSION);
  list_.Attach(hwnd_, IDC_PLAN_LIST, {CPlanList::kColumnCount, /*firstColumnIsCheck=*/true});

  win::ListView list = list_.View();
  for (int c = 0; c < CPlanList::kColumnCount; ++c)
    list.InsertColumn(c, CPlanList::ColumnHeader(c), CPlanList::ColumnWidth(c));
  list_.SetRowHeightImages(IDR_MAINFRAME);

  // The frame's reminders and plan queue read the file again.
  plans_.SetAfterSave([] { PostMessageW(win::App::MainWindow(), frame_msg::kReloadPlans, 0, 0); });
  plans_.SetClock(LocalNow(), &PlanHolidays());
  plans_.Load();
  FitTimeColumn();
  list_.ShowRows(plans_.Count(), -1);
  Layout();
  if (plans_.Locked()) {
    // Nothing may be saved over a file that was never read.
    for (int id : {IDC_PLAN_ADD, IDC_PLAN_CHANGE, IDC_PLAN_DELETE}) win::Control(hwnd_, id).Enable(false);
    win::ShowMessage(CPlanList::kCannotRead);
  }
  OnClick(IDC_PLAN_ADD, [this] { Add(); });
  OnClick(IDC_PLAN_CHANGE, [this] { Change(); });
  OnClick(IDC_PLAN_DELETE, [this] { Delete(); });
  OnClick(IDC_PLAN_OLD_VERSION, [this] { StartOldVersion(); });
  return TRUE;
}

void CPlanManagerDlg::Layout() {
  if (!Item(IDC_PLAN_ADD)) return;
  RECT client = ClientRect();
  int w = client.right, h = client.bottom;
  auto place = [this](int id, int x, int y, int width, int height) {
    win::Control(hwnd_, id).Move(x, y, width, height);
  };
  place(IDC_PLAN_ADD, Px(5), Px(5), Px(60), Px(22));
  place(IDC_PLAN_CHANGE, Px(68), Px(5), Px(60), Px(22));
  place(IDC_PLAN_DELETE, Px(131), Px(5), Px(60), Px(22));
  place(IDC_PLAN_OLD_VERSION, Px(194), Px(5), Px(120), Px(22));
  place(IDC_PLAN_LIST, Px(5), Px(30), w - Px(10), h - Px(183));
  place(IDC_PLAN_TIME_VIEW, Px(5), h - Px(150), w - Px(10), Px(19));
  place(IDC_PLAN_CONTENT_VIEW, Px(5), h - Px(128), w - Px(10), Px(117));
}

void CPlanManagerDlg::ShowRow(int row) {
  bool shown = row >= 0 && row < plans_.Count();
  SetItemText(IDC_PLAN_CONTENT_VIEW, shown ? plans_.At(row).content : std::string());
  SetItemText(IDC_PLAN_TIME_VIEW, shown ? plans_.CellText(row, CPlanList::kTimeColumn) : std::string());
}

void CPlanManagerDlg::FitTimeColumn() {
  // A repeating plan's rule stands beside its time: the column widens for it.
  win::ListView list = list_.View();
  const int wide = win::Scale(Item(IDC_PLAN_LIST), kRepeatingTimeColumnWidth);
  if (plans_.AnyRepeats() && list.ColumnWidth(CPlanList::kTimeColumn) < wide)
    ListView_SetColumnWidth(Item(IDC_PLAN_LIST), CPlanList::kTimeColumn, wide);
}

void CPlanManagerDlg::OnListClick() {
  check_list::Click(list_, plans_, CPlanList::kCheckColumn, [this](int row) { ShowRow(row); });
}

void CPlanManagerDlg::Add() {
  CPlanEditDlg editor;  // in add mode
  if (check_list::Add(list_, plans_, editor, hwnd_) >= 0) FitTimeColumn();
}

void CPlanManagerDlg::Change() {
  CPlanEditDlg editor;
  int row = check_list::Change(list_, plans_, editor, hwnd_);
  if (row >= 0) ShowRow(row);
}

void CPlanManagerDlg::Delete() {
  if (!check_list::DeleteChecked(list_, plans_)) return;
  // The boxes may show a plan that is gone: they follow the selection.
  ShowRow(list_.SelectedItem());
}

void CPlanManagerDlg::StartOldVersion() {
  std::wstring path = text::Widen(ProgramFolder() + kOldVersionProgram);
  ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT CPlanManagerDlg::OnNotify(int id, NMHDR* header) {
  // The list view holds no rows of its own: it asks the plan list for them.
  if (id == IDC_PLAN_LIST &&
      check_list::OnNotify(
          list_, header, plans_.Count(), [this](int row, int column) { return plans_.CellText(row, column); },
          [this] { OnListClick(); }, [this] { Change(); }))
    return 0;
  return Default();
}

void ShowPlanManager(HWND owner) {
  CPlanManagerDlg dlg;
  dlg.DoModal(owner);
}
