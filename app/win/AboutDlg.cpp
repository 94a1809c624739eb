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
  SetDlgItemTextW(hwnd_, IDC_VERSION, L"Vistrel Ver1.02");
  SetDlgItemTextW(hwnd_, IDC_MAKER_SITE, text::Widen("官方网站: " + SiteBaseUrl()).c_str());
  SetDlgItemTextW(hwnd_, IDC_PROGRAM_PATH, text::Widen(ProgramPath()).c_str());
  if (templateId_ == IDD_ABOUTBOX_APP) {
    SetIcons(IDR_MAINFRAME);
  }
  return TRUE;
}

bool CAboutDlg::OnCommand(int id, int code, HWND control) {
  if (id == IDC_HOME_PAGE) {
    OpenWithShell(SiteBaseUrl());
    if (templateId_ == IDD_ABOUTBOX) EndDialog(IDCANCEL);
    return true;
  }
  return Dialog::OnCommand(id, code, control);
}
