#include "app/win/AboutDlg.h"

#include "common/Text.h"
#include "common/win/ProgramFolder.h"
#include "common/win/Shell.h"
#include "online/Site.h"
#include "resources/app_ids.h"

CAboutDlg::CAboutDlg(int templateId) : Dialog(templateId) {}

BOOL CAboutDlg::OnInitDialog() {
  ok_.Attach(hwnd_, IDOK);
  homePage_.Attach(hwnd_, IDC_HOME_PAGE);
  CenterOnDesktop();
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED);
  SetItemText(IDC_VERSION, "Vistrel Ver1.02");
  SetItemText(IDC_MAKER_SITE, "官方网站: " + SiteBaseUrl());
  SetItemText(IDC_PROGRAM_PATH, ProgramPath());
  if (templateId_ == IDD_ABOUTBOX_APP) {
    SetIcons(IDR_MAINFRAME);
  }
  OnClick(IDC_HOME_PAGE, [this] {
    OpenWithShell(SiteBaseUrl());
    if (templateId_ == IDD_ABOUTBOX) EndDialog(IDCANCEL);
  });
  return TRUE;
}
