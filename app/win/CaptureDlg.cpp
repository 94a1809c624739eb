#include "app/win/CaptureDlg.h"

#include <windowsx.h>

#include "app/win/HomePage.h"
#include "app/win/MainFrame.h"
#include "capture/win/CaptureSettingsDlg.h"
#include "common/Text.h"
#include "common/win/Palette.h"
#include "online/Site.h"
#include "resources/app_ids.h"

namespace {
const int kButtonIds[6] = {IDC_CAPTURE_FULL, IDC_CAPTURE_WINDOW, IDC_CAPTURE_REGION,
                           IDC_SETTINGS,     IDC_HOME_PAGE,      IDC_EXIT};
}  // namespace

CCaptureDlg::CCaptureDlg(CCaptureSettingsStore& captureSettings)
    : Dialog(IDD_CAPTURE), captureSettings_(captureSettings) {}

BOOL CCaptureDlg::OnInitDialog() {
  for (int i = 0; i < 6; ++i) buttons_[i].Attach(hwnd_, kButtonIds[i]);
  SetIcons(IDR_MAINFRAME);
  SetColors(palette::kText, palette::kGrey);
  SetItemText(IDC_SITE_TEXT, "官方网站: " + SiteHost());
  // The window hides for its capture; when the capture is refused (one is
  // running, its result window open) it comes back at once.
  auto capture = [this](bool (CMainFrame::*run)()) {
    return [this, run] {
      CMainFrame* frame = CMainFrame::Instance();
      Show(SW_HIDE);
      if (frame && !(frame->*run)()) Show(SW_SHOW);
    };
  };
  OnClick(IDC_CAPTURE_FULL, capture(&CMainFrame::OnCaptureFullScreen));
  OnClick(IDC_CAPTURE_WINDOW, capture(&CMainFrame::OnCaptureWindow));
  OnClick(IDC_CAPTURE_REGION, capture(&CMainFrame::OnCaptureRegion));
  OnClick(IDC_SETTINGS, [this] { CCaptureSettingsDlg(captureSettings_).DoModal(hwnd_); });
  OnClick(IDC_HOME_PAGE, [] { OpenHomePage(); });
  OnClick(IDC_EXIT, [] {
    if (CMainFrame* frame = CMainFrame::Instance()) SendMessageW(frame->hwnd(), WM_CLOSE, 0, 0);
  });
  return TRUE;
}

LRESULT CCaptureDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CONTEXTMENU && reinterpret_cast<HWND>(wp) == Item(IDC_CAPTURE_FULL)) {
    POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    if (at.x == -1 && at.y == -1) {  // from the keyboard: below the button
      RECT r{};
      GetWindowRect(Item(IDC_CAPTURE_FULL), &r);
      at = POINT{r.left, r.bottom};
    }
    ShowDelayMenu(at);
    return 0;
  }
  return Dialog::WindowProc(msg, wp, lp);
}

void CCaptureDlg::ShowDelayMenu(POINT at) {
  static const struct {
    int id;
    int seconds;
    const char* text;
  } kItems[] = {{ID_CAPTURE_DELAY_3, 3, "3 秒后截取全屏"},
                {ID_CAPTURE_DELAY_5, 5, "5 秒后截取全屏"},
                {ID_CAPTURE_DELAY_10, 10, "10 秒后截取全屏"}};
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  for (const auto& item : kItems)
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.id), text::Widen(item.text).c_str());
  const int chosen = static_cast<int>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, hwnd_, nullptr));
  DestroyMenu(menu);
  CMainFrame* frame = CMainFrame::Instance();
  for (const auto& item : kItems) {
    if (item.id != chosen || !frame) continue;
    // Hidden for the capture, as the button's own capture does; back when
    // it is refused or its countdown cancelled.
    Show(SW_HIDE);
    if (!frame->OnCaptureFullScreenAfter(item.seconds)) Show(SW_SHOW);
  }
}

void CCaptureDlg::OnClose() {
  if (CMainFrame* frame = CMainFrame::Instance()) SendMessageW(frame->hwnd(), WM_CLOSE, 0, 0);
  // Closing the frame destroys us with it.
  if (hwnd_) Default();
}
