#include "plans/win/PlanManagerDlg.h"

#include <windowsx.h>

#include "common/FrameMessages.h"
#include "common/Text.h"
#include "common/win/ProgramFolder.h"
#include "common/win/SharedGdi.h"
#include "plans/win/PlanEditDlg.h"
#include "resources/app_ids.h"
#include "resources/planner_ids.h"
#include "win/App.h"
#include "win/CommonControls.h"
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
}  // namespace

CPlanManagerDlg::CPlanManagerDlg() : Dialog(IDD_PLAN_MANAGER) {}

LRESULT CPlanManagerDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_GETMINMAXINFO) {
    LRESULT r = Default();
    RECT frame{0, 0, win::Scale(hwnd_, kMinClientWidth), win::Scale(hwnd_, kMinClientHeight)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)));
    auto* info = reinterpret_cast<MINMAXINFO*>(lp);
    info->ptMinTrackSize = POINT{frame.right - frame.left, frame.bottom - frame.top};
    return r;
  }
  return Dialog::WindowProc(msg, wp, lp);
}

BOOL CPlanManagerDlg::OnInitDialog() {
  SetIcons(IDR_MAINFRAME);
  CenterOnDesktop();

  add_.Attach(hwnd_, IDC_PLAN_ADD);
  change_.Attach(hwnd_, IDC_PLAN_CHANGE);
  delete_.Attach(hwnd_, IDC_PLAN_DELETE);
  oldVersion_.Attach(hwnd_, IDC_PLAN_OLD_VERSION);
  list_.Attach(hwnd_, IDC_PLAN_LIST);

  win::ListView list(list_.hwnd());
  for (int c = 0; c < CPlanList::kColumnCount; ++c)
    list.InsertColumn(c, CPlanList::ColumnHeader(c), CPlanList::ColumnWidth(c));
  list_.columnCount = CPlanList::kColumnCount;
  list_.noCheckImage = 0;
  // Images one pixel wide and 16 high, only to make every row 16 pixels
  // high; the list destroys the image list with itself.
  HIMAGELIST rows = win::ImageListCreate(1, 16, ILC_COLOR24 | ILC_MASK, 2, 2);
  win::ImageListAddIcon(rows, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
  list_.Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rows));

  // The frame's reminders and plan queue read the file again.
  plans_.SetAfterSave([] { PostMessageW(win::App::MainWindow(), frame_msg::kReloadPlans, 0, 0); });
  plans_.Load();
  RefreshRows(-1);
  LayOut();
  return TRUE;
}

void CPlanManagerDlg::RefreshRows(int selectRow) {
  win::ListView list(list_.hwnd());
  // Rows are indices into the plan list: an old selection would now name
  // another plan, so it is replaced.
  list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  list_.Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(plans_.Count()), 0);
  if (selectRow >= 0) {
    list.SetItemState(selectRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.EnsureVisible(selectRow);
  }
  list_.Invalidate(false);
}

void CPlanManagerDlg::LayOut() {
  if (!Item(IDC_PLAN_ADD)) return;
  RECT client = ClientRect();
  int w = client.right, h = client.bottom;
  win::Control(hwnd_, IDC_PLAN_ADD).Move(5, 5, 60, 22);
  win::Control(hwnd_, IDC_PLAN_CHANGE).Move(68, 5, 60, 22);
  win::Control(hwnd_, IDC_PLAN_DELETE).Move(131, 5, 60, 22);
  win::Control(hwnd_, IDC_PLAN_OLD_VERSION).Move(194, 5, 120, 22);
  win::Control(hwnd_, IDC_PLAN_LIST).Move(5, 30, w - 10, h - 183);
  win::Control(hwnd_, IDC_PLAN_TIME_VIEW).Move(5, h - 150, w - 10, 19);
  win::Control(hwnd_, IDC_PLAN_CONTENT_VIEW).Move(5, h - 128, w - 10, 117);
}

void CPlanManagerDlg::OnSize(UINT type, int cx, int cy) {
  Default();
  LayOut();
}

void CPlanManagerDlg::ShowRow(int row) {
  bool shown = row >= 0 && row < plans_.Count();
  win::Edit(hwnd_, IDC_PLAN_CONTENT_VIEW).SetText(shown ? plans_.At(row).content : std::string());
  win::Edit(hwnd_, IDC_PLAN_TIME_VIEW).SetText(shown ? plans_.At(row).timeText : std::string());
}

void CPlanManagerDlg::OnListClick() {
  DWORD pos = GetMessagePos();
  LVHITTESTINFO hit{};
  hit.pt = POINT{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
  ScreenToClient(list_.hwnd(), &hit.pt);
  list_.Send(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (!plans_.Click(hit.iItem, hit.iSubItem)) return;
  ShowRow(hit.iItem);
  if (hit.iSubItem == CPlanList::kCheckColumn)
    list_.Send(LVM_REDRAWITEMS, static_cast<WPARAM>(hit.iItem), hit.iItem);
}

void CPlanManagerDlg::Add() {
  CPlanEditDlg editor;
  editor.data.mode = PlanEditData::kAdd;
  if (editor.DoModal(hwnd_) != IDOK) return;
  int row = plans_.Add(editor.data);
  RefreshRows(row);
}

void CPlanManagerDlg::Change() {
  int row = list_.SelectedItem();
  CPlanEditDlg editor;
  if (const char* message = plans_.PrepareChange(row, editor.data)) {
    win::ShowMessage(message);
    return;
  }
  if (editor.DoModal(hwnd_) != IDOK) return;
  plans_.ApplyChange(row, editor.data);
  list_.Send(LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
  ShowRow(row);
}

void CPlanManagerDlg::Delete() {
  if (const char* message = plans_.DeleteChecked()) {
    win::ShowMessage(message);
    return;
  }
  RefreshRows(-1);
  // The boxes may show a plan that is gone: they follow the selection.
  ShowRow(list_.SelectedItem());
}

void CPlanManagerDlg::StartOldVersion() {
  std::wstring path = text::Widen(ProgramFolder() + kOldVersionProgram);
  ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool CPlanManagerDlg::OnCommand(int id, int code, HWND control) {
  if (code == BN_CLICKED) {
    switch (id) {
      case IDC_PLAN_ADD:
        Add();
        return true;
      case IDC_PLAN_CHANGE:
        Change();
        return true;
      case IDC_PLAN_DELETE:
        Delete();
        return true;
      case IDC_PLAN_OLD_VERSION:
        StartOldVersion();
        return true;
    }
  }
  return Dialog::OnCommand(id, code, control);
}

void CPlanManagerDlg::GetRowText(NMLVDISPINFOW& info) {
  LVITEMW& item = info.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  if (item.iItem < 0 || item.iItem >= plans_.Count()) {
    item.pszText[0] = L'\0';
    return;
  }
  std::wstring text = text::Widen(plans_.CellText(item.iItem, item.iSubItem));
  // A cell is one line: the line breaks of a content show as blanks.
  for (wchar_t& c : text)
    if (c == L'\r' || c == L'\n') c = L' ';
  lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
}

LRESULT CPlanManagerDlg::OnNotify(int id, NMHDR* header) {
  if (id == IDC_PLAN_LIST) {
    switch (header->code) {
      case LVN_GETDISPINFOW:
        GetRowText(*reinterpret_cast<NMLVDISPINFOW*>(header));
        return 0;
      case NM_CLICK:
        OnListClick();
        return 0;
      case NM_DBLCLK:
        if (list_.SelectedItem() >= 0) Change();
        return 0;
    }
  }
  return Default();
}

HBRUSH CPlanManagerDlg::OnCtlColor(HDC dc, HWND control, int type) {
  int id = control != hwnd_ ? GetDlgCtrlID(control) : 0;
  if (id == IDC_PLAN_TIME_VIEW || id == IDC_PLAN_CONTENT_VIEW) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, shared_gdi::kBackgroundColor);
  }
  return shared_gdi::BackgroundBrush();
}

void ShowPlanManager(HWND owner) {
  CPlanManagerDlg dlg;
  dlg.DoModal(owner);
}
