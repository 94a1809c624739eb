#include <windows.h>

#include "uninstall/win/UninstallDlg.h"
#include "win/App.h"
#include "win/CommonControls.h"
#include "win/MessageBox.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  win::InitCommonControls(ICC_STANDARD_CLASSES);
  win::SetMessageCaption("Uninstall");
  CUninstallDlg dialog;
  win::App::SetMainWindow(&dialog);
  dialog.DoModal();
  win::App::SetMainWindow(nullptr);
  return 0;
}
