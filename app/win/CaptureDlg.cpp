#include "app/win/CaptureDlg.h"

#include "app/win/HomePage.h"
#include "app/win/MainFrame.h"
#include "capture/win/CaptureSettingsDlg.h"
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
  return TRUE;
}

bool CCaptureDlg::OnButtonClicked(int id) {
  CMainFrame* frame = CMainFrame::Instance();
  // The window hides for its capture; when the capture is refused (one is
  // running, its result window open) it comes back at once.
  auto capture = [this, frame](bool (CMainFrame::*run)()) {
    Show(SW_HIDE);
    if (frame && !(frame->*run)()) Show(SW_SHOW);
  };
  switch (id) {
    case IDC_CAPTURE_FULL:
      capture(&CMainFrame::OnCaptureFullScreen);
      return true;
    case IDC_CAPTURE_WINDOW:
      capture(&CMainFrame::OnCaptureWindow);
      return true;
    case IDC_CAPTURE_REGION:
      capture(&CMainFrame::OnCaptureRegion);
      return true;
    case IDC_SETTINGS:
      CCaptureSettingsDlg(captureSettings_).DoModal(hwnd_);
      return true;
    case IDC_HOME_PAGE:
      OpenHomePage();
      return true;
    case IDC_EXIT:
      if (frame) SendMessageW(frame->hwnd(), WM_CLOSE, 0, 0);
      return true;
  }
  return Dialog::OnButtonClicked(id);
}

void CCaptureDlg::OnClose() {
  if (CMainFrame* frame = CMainFrame::Instance()) SendMessageW(frame->hwnd(), WM_CLOSE, 0, 0);
  // Closing the frame destroys us with it.
  if (hwnd_) Default();
}
