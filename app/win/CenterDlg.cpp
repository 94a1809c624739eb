#include "app/win/CenterDlg.h"

#include "app/CenterRect.h"
#include "app/SearchAddress.h"
#include "app/win/AboutDlg.h"
#include "app/win/MainFrame.h"
#include "app/win/ToolMenu.h"
#include "app/win/ToolboxWindows.h"
#include "common/File.h"
#include "common/SectionFile.h"
#include "common/Text.h"
#include "common/win/Palette.h"
#include "common/win/ProgramFolder.h"
#include "common/win/SharedGdi.h"
#include "common/win/Shell.h"
#include "resources/app_ids.h"
#include "resources/center_ids.h"
#include "win/Controls.h"

namespace {

const char kPage[] = "data\\main.htm";

const int kFixedIds[] = {IDC_CENTER_SCANNER, IDC_CENTER_LEDGER,   IDC_CENTER_TOOLS,   IDC_CENTER_EXIT,
                         IDC_CENTER_SHUTDOWN, IDC_CENTER_PLANS,   IDC_CENTER_CALENDAR, IDC_CENTER_SETTINGS,
                         IDC_CENTER_ABOUT,   IDC_CENTER_SEARCH};
// The upper stack, top down.
const int kUpperStack[] = {IDC_CENTER_CALENDAR, IDC_CENTER_PLANS,   IDC_CENTER_LEDGER,
                           IDC_CENTER_TOOLS,    IDC_CENTER_SCANNER, IDC_CENTER_SHUTDOWN};

// Layout measures in pixels at 96 DPI.
constexpr int kMargin = 3;
constexpr int kButtonHeight = 25;
constexpr int kButtonStep = 26;  // one pixel between stacked buttons
constexpr int kSearchGap = 5;
constexpr int kSearchHeight = 23;
constexpr int kSearchButtonWidth = 30;

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT r, LPARAM out) {
  reinterpret_cast<std::vector<Rect>*>(out)->push_back(Rect{r->left, r->top, r->right, r->bottom});
  return TRUE;
}

std::vector<Rect> Monitors() {
  std::vector<Rect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

// A launcher target named relative to the program folder opens from there;
// anything else (a web address, a program on the search path) as the shell
// finds it.
std::string LauncherTarget(const std::string& target) {
  const std::string beside = InProgramFolder(target);
  return beside != target && file::Exists(beside) ? beside : target;
}

}  // namespace

CCenterDlg::CCenterDlg() : Dialog(IDD_CENTER) {}

CCenterDlg::~CCenterDlg() {
  if (hwnd_) Destroy();  // stores the rectangle while the window still exists
}

BOOL CCenterDlg::OnInitDialog() {
  for (int i = 0; i < kFixedButtonCount; ++i) fixed_[i].Attach(hwnd_, kFixedIds[i]);
  SetClickActions();
  SetIcons(IDR_MAINFRAME);
  SetColors(palette::kText, palette::kWhite);

  PlaceAtStoredRect();
  win::Edit searchBox(hwnd_, IDC_CENTER_SEARCH_BOX);
  BuildLauncherButtons();
  CSectionFile page;
  page.Load(InProgramFolder(kPage));
  searchBox.SetText(search::SearchWord(page));

  ready_ = true;
  Layout();
  return TRUE;
}

void CCenterDlg::PlaceAtStoredRect() {
  Rect r = center_rect::Load(InProgramFolder(center_rect::kPath), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                             Monitors());
  SetWindowPos(hwnd_, HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(), SWP_FRAMECHANGED);
}

void CCenterDlg::BuildLauncherButtons() {
  CSectionFile page;
  page.Load(InProgramFolder(kPage));
  HFONT font = reinterpret_cast<HFONT>(Send(WM_GETFONT));
  for (const launcher::Button& b : launcher::ButtonsOf(launcher::ReadButtonLines(page))) {
    auto slot = std::make_unique<LauncherSlot>();
    int id = launcher::kFirstButtonId + static_cast<int>(slots_.size());
    if (!slot->button.Create(0, L"BUTTON", b.caption, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 1, 1, hwnd_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))))
      continue;
    slot->button.SetFont(font);
    slot->line = b.line;
    slots_.push_back(std::move(slot));
  }
  menuItems_.Reset(launcher::kFirstButtonId + static_cast<int>(slots_.size()));
}

void CCenterDlg::Layout() {
  if (!ready_) return;
  RECT client = ClientRect();
  const int margin = Px(kMargin), buttonHeight = Px(kButtonHeight), step = Px(kButtonStep);
  const int searchGap = Px(kSearchGap), searchHeight = Px(kSearchHeight), searchWidth = Px(kSearchButtonWidth);
  const int x0 = client.left + margin, y0 = client.top + margin;
  const int x1 = client.right - margin, y1 = client.bottom - margin;
  const int width = x1 - x0;
  auto place = [&](int id, int top) { MoveWindow(Item(id), x0, top, width, buttonHeight, TRUE); };

  // The lower pair stays at the bottom; nothing keeps it from the upper
  // stacks in a window too short for both.
  place(IDC_CENTER_ABOUT, y1 - buttonHeight);
  place(IDC_CENTER_SETTINGS, y1 - buttonHeight - step);

  int top = y0;
  for (int id : kUpperStack) {
    place(id, top);
    top += step;
  }
  // One empty band of a button's height, then the launcher buttons.
  int bottomOfUpper = top - step + buttonHeight;
  top = bottomOfUpper + step;
  int searchTop = bottomOfUpper + step + searchGap;
  for (auto& slot : slots_) {
    slot->rect = RECT{x0, top, x1, top + buttonHeight};
    MoveWindow(slot->button.hwnd(), x0, top, width, buttonHeight, TRUE);
    searchTop = top + buttonHeight + Px(1) + searchGap;
    top += step;
  }
  // The font follows the DPI, which a move to another monitor changes.
  win::Edit(hwnd_, IDC_CENTER_SEARCH_BOX).SetFont(shared_gdi::Font14(Dpi()), false);
  MoveWindow(Item(IDC_CENTER_SEARCH_BOX), x0, searchTop, x1 - searchWidth - Px(1) - x0, searchHeight, TRUE);
  MoveWindow(Item(IDC_CENTER_SEARCH), x1 - searchWidth, searchTop, searchWidth, searchHeight, TRUE);
}

LRESULT CCenterDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  // Launcher buttons and launcher-menu items have ids made at run time.
  if (msg == WM_COMMAND) {
    launcher::CommandTarget target =
        launcher::RouteCommand(LOWORD(wp), static_cast<int>(slots_.size()), menuItems_);
    if (target.kind == launcher::CommandTarget::kButton) {
      OnLauncherButton(target.index);
      return 0;
    }
    if (target.kind == launcher::CommandTarget::kMenuItem) {
      OnLauncherMenuItem(target.index);
      return 0;
    }
  }
  return Dialog::WindowProc(msg, wp, lp);
}

void CCenterDlg::SetClickActions() {
  for (int id : kToolboxButtonIds) OnClick(id, [this, id] { OpenToolboxWindow(id, hwnd_); });
  OnClick(IDC_CENTER_TOOLS, [this] { ShowToolMenu(); });
  OnClick(IDC_CENTER_SCANNER, [this] { RunProcessScanner(); });
  OnClick(IDC_CENTER_SEARCH, [this] { Search(); });
  OnClick(IDC_CENTER_ABOUT, [this] { CAboutDlg(IDD_ABOUTBOX).DoModal(hwnd_); });
  OnClick(IDC_CENTER_EXIT, [] {
    if (CMainFrame* frame = CMainFrame::Instance()) SendMessageW(frame->hwnd(), WM_CLOSE, 0, 0);
  });
}

bool CCenterDlg::OnCommand(int id, int code, HWND control) {
  if (Dialog::OnCommand(id, code, control)) return true;
  if (control) return false;
  // The TOOL menu: our entries, then the frame's own (captures, boss key,
  // information center), which go to the frame, which owns this window.
  if (RunToolMenuCommand(id)) return true;
  if (CMainFrame* frame = CMainFrame::Instance()) {
    SendMessageW(frame->hwnd(), WM_COMMAND, MAKEWPARAM(id, code), 0);
    return true;
  }
  return false;
}

void CCenterDlg::OnLauncherButton(int index) {
  LauncherSlot& slot = *slots_[static_cast<size_t>(index)];
  launcher::Action action = launcher::ButtonAction(slot.line);
  if (action.kind == launcher::Action::kOpen) {
    OpenWithShell(LauncherTarget(action.target));
  } else if (action.kind == launcher::Action::kShowMenu) {
    if (!slot.menu) slot.menu.reset(BuildLauncherMenu(action.target));
    POINT corner{slot.rect.left, slot.rect.bottom};
    ClientToScreen(hwnd_, &corner);
    TrackPopupMenu(slot.menu, 0, corner.x, corner.y, 0, hwnd_, nullptr);
  }
}

HMENU CCenterDlg::BuildLauncherMenu(const std::string& name) {
  HMENU menu = CreatePopupMenu();
  CSectionFile page;
  page.Load(InProgramFolder(kPage));
  for (const launcher::MenuItem& item : launcher::BuildMenu(launcher::ReadMenuLines(page, name), menuItems_)) {
    if (item.separator)
      AppendMenuW(menu, MF_SEPARATOR, static_cast<UINT_PTR>(item.id), nullptr);
    else
      AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.id), text::Widen(item.caption).c_str());
  }
  return menu;
}

void CCenterDlg::OnLauncherMenuItem(int index) {
  const std::string* line = menuItems_.LineOf(menuItems_.Base() + index);
  if (!line) return;
  launcher::Action action = launcher::MenuItemAction(*line);
  if (action.kind == launcher::Action::kOpen) OpenWithShell(LauncherTarget(action.target));
}

void CCenterDlg::Search() {
  std::string typed = ItemText(IDC_CENTER_SEARCH_BOX);
  CSectionFile page;
  page.Load(InProgramFolder(kPage));  // read again: the update may have replaced the page
  OpenWithShell(search::AddressFor(page, typed));
}

bool CCenterDlg::PreTranslateMessage(MSG& msg) {
  if (hwnd_ && msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN &&
      (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd))) {
    Search();
    return true;
  }
  return Dialog::PreTranslateMessage(msg);
}

void CCenterDlg::ShowToolMenu() {
  win::Menu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TOOL_MENU)));
  if (!menu) return;
  RECT button{};
  GetWindowRect(Item(IDC_CENTER_TOOLS), &button);
  TrackPopupMenu(GetSubMenu(menu, 0), 0, button.left, button.bottom + 2, 0, hwnd_, nullptr);
}

void CCenterDlg::OnClose() { Show(SW_HIDE); }

void CCenterDlg::OnDestroy() {
  StoreRect();
  Default();
}

void CCenterDlg::StoreRect() {
  if (rectStored_) return;
  rectStored_ = true;
  RECT r = WindowRect();
  center_rect::Save(InProgramFolder(center_rect::kPath), Rect{r.left, r.top, r.right, r.bottom});
}
