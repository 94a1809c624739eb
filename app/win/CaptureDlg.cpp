#include "app/win/CaptureDlg.h"

#include "app/win/HomePage.h"
#include "app/win/MainFrame.h"
#include "capture/win/CaptureSettingsDlg.h"
#include "common/Text.h"
#include "online/Site.h"
#include "resources/app_ids.h"

namespace {
constexpr COLORREF kBackground = RGB(240, 240, 240);
const int kButtonIds[6] = {IDC_CAPTURE_FULL, IDC_CAPTURE_WINDOW, IDC_CAPTURE_REGION,
                           IDC_SETTINGS,     IDC_HOME_PAGE,      IDC_EXIT};
}  // namespace

CCaptureDlg::CCaptureDlg() : Dialog(IDD_CAPTURE) {}

BOOL CCaptureDlg::OnInitDialog() {
  for (int i = 0; i < 6; ++i) buttons_[i].Attach(hwnd_, kButtonIds[i]);
  SetIcons(IDR_MAINFRAME);
  SetDlgItemTextW(hwnd_, IDC_SITE_TEXT, text::Widen("官方网站: " + SiteHost()).c_str());
  return TRUE;
}

bool CCaptureDlg::OnCommand(int id, int code, HWND control) {
  CMainFrame* frame = CMainFrame::Instance();
  switch (id) {
    case IDC_CAPTURE_FULL:
      Show(SW_HIDE);
      if (frame) frame->OnCaptureFullScreen();
      return true;
    case IDC_CAPTURE_WINDOW:
      Show(SW_HIDE);
      if (frame) frame->OnCaptureWindow();
      return true;
    case IDC_CAPTURE_REGION:
      Show(SW_HIDE);
      if (frame) frame->OnCaptureRegion();
      return true;
    case IDC_SETTINGS: {
      CCaptureSettingsDlg settings;
      settings.DoModal(hwnd_);
      return true;
    }
    case IDC_HOME_PAGE:
      OpenHomePage();
      return true;
    case IDC_EXIT:
      if (frame) SendMessageW(frame->hwnd(), WM_CLOSE, 0, 0);
      return true;
  }
  return Dialog::OnCommand(id, code, control);
}

HBRUSH CCaptureDlg::OnCtlColor(HDC dc, HWND control, int type) {
  if (!brush_) brush_.reset(CreateSolidBrush(kBackground));
  if (type == CTLCOLOR_STATIC) SetBkColor(dc, kBackground);
  return brush_;
}

void CCaptureDlg::OnClose() {
  if (CMainFrame* frame = CMainFrame::Instance()) SendMessageW(frame->hwnd(), WM_CLOSE, 0, 0);
  // Closing the frame destroys us with it.
  if (hwnd_) Default();
}
