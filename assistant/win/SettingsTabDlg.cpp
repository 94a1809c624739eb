#include "assistant/win/SettingsTabDlg.h"

#include <utility>

#include "assistant/win/BossKeyPage.h"
#include "assistant/win/CdKeyPage.h"
#include "assistant/win/StartupPage.h"
#include "resources/app_ids.h"
#include "resources/assistant_ids.h"
#include "win/Controls.h"

namespace {
const char* const kTabLabels[CSettingsTabDlg::kPageCount] = {"屏捕", "老板键", "光驱", "启动"};
// Pixels at 96 DPI.
constexpr int kMargin = 3;
constexpr int kTabHeight = 25;
constexpr int kPageTop = 28;
constexpr int kPageBottomMargin = 10;
}  // namespace

CSettingsTabDlg::CSettingsTabDlg(PageMaker makeCapturePage, Stores stores)
    : Dialog(IDD_SETTINGS_TAB), makeCapturePage_(std::move(makeCapturePage)), stores_(stores) {}

CSettingsTabDlg::~CSettingsTabDlg() = default;

BOOL CSettingsTabDlg::OnInitDialog() {
  SetIcons(IDR_MAINFRAME);
  CenterOnDesktop();
  win::TabCtrl tabs(hwnd_, IDC_SETTINGS_TABS);
  for (int i = 0; i < kPageCount; ++i) tabs.InsertItem(i, kTabLabels[i]);
  ShowPage(kCapturePage);
  Layout();
  return TRUE;
}

std::unique_ptr<win::Dialog> CSettingsTabDlg::MakePage(int k) {
  std::unique_ptr<win::Dialog> page;
  switch (k) {
    case kCapturePage:
      return makeCapturePage_ ? makeCapturePage_(hwnd_) : nullptr;
    case kBossKeyPage:
      page = std::make_unique<CBossKeyPage>(stores_.bossKey);
      break;
    case kCdPage:
      page = std::make_unique<CCdKeyPage>(stores_.cdKeys);
      break;
    case kStartupPage:
      page = std::make_unique<CStartupPage>();
      break;
  }
  if (page && !page->Create(hwnd_)) page.reset();
  return page;
}

bool CSettingsTabDlg::ShowPage(int k) {
  current_ = k;
  for (auto& page : pages_)
    if (page) page->Show(SW_HIDE);
  if (k < 0 || k >= kPageCount) return false;
  if (!pages_[k]) pages_[k] = MakePage(k);
  if (!pages_[k]) return false;
  pages_[k]->Show(SW_SHOW);
  Layout();
  RaisePopupPages();
  return true;
}

LRESULT CSettingsTabDlg::OnNotify(int id, NMHDR* header) {
  // Only a click changes the page; the keyboard moves the tab highlight alone.
  if (id == IDC_SETTINGS_TABS && header->code == static_cast<UINT>(NM_CLICK)) {
    ShowPage(ClickedTab());
    return 0;
  }
  return Dialog::OnNotify(id, header);
}

int CSettingsTabDlg::ClickedTab() {
  // The tab under the click, not the control's selection: Wine's tab control
  // stops moving its selection on clicks once the arrow keys have moved it.
  win::TabCtrl tabs(hwnd_, IDC_SETTINGS_TABS);
  DWORD at = GetMessagePos();
  TCHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  ScreenToClient(tabs.hwnd(), &hit.pt);
  int k = static_cast<int>(SendMessageW(tabs.hwnd(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (k < 0) return tabs.CurSel();
  if (k != tabs.CurSel()) tabs.SetCurSel(k);
  return k;
}

LRESULT CSettingsTabDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = Dialog::WindowProc(msg, wp, lp);
  if (msg == WM_WINDOWPOSCHANGED) {
    // The captioned capture page goes along when the window moves, and stays
    // above it when it is shown or raised. Wine raises a window that has just
    // been shown once more a moment later, over the pop-ups it owns: the
    // page is raised again for a short while.
    const UINT flags = reinterpret_cast<const WINDOWPOS*>(lp)->flags;
    if (!(flags & SWP_NOMOVE)) Layout();
    if (!(flags & SWP_NOZORDER) || (flags & SWP_SHOWWINDOW)) {
      RaisePopupPages();
      raisesLeft_ = kRaiseTicks;
      SetTimer(hwnd_, kRaiseTimer, kRaiseTickMs, nullptr);
    }
  }
  if (msg == WM_ACTIVATE && LOWORD(wp) != WA_INACTIVE) RaisePopupPages();
  return result;
}

void CSettingsTabDlg::OnTimer(UINT_PTR id) {
  if (id != kRaiseTimer) return Dialog::OnTimer(id);
  RaisePopupPages();
  if (--raisesLeft_ <= 0) KillTimer(hwnd_, kRaiseTimer);
}

void CSettingsTabDlg::RaisePopupPages() {
  for (auto& page : pages_) {
    if (!page || !IsWindowVisible(page->hwnd()) || (GetWindowLongPtrW(page->hwnd(), GWL_STYLE) & WS_CHILD)) continue;
    SetWindowPos(page->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void CSettingsTabDlg::Layout() {
  if (current_ < 0) return;
  RECT c = ClientRect();
  const int left = c.left + Px(kMargin), width = c.right - c.left - 2 * Px(kMargin);
  MoveWindow(Item(IDC_SETTINGS_TABS), left, Px(kMargin), width, Px(kTabHeight), TRUE);
  RECT area{left, Px(kPageTop), left + width, c.bottom - Px(kPageBottomMargin)};
  for (auto& page : pages_) {
    if (!page) continue;
    // The capture page is a captioned pop-up, placed on the screen: where
    // the page area is, below the tabs, which stay free to click.
    RECT r = area;
    if (!(GetWindowLongPtrW(page->hwnd(), GWL_STYLE) & WS_CHILD))
      MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    MoveWindow(page->hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }
}
