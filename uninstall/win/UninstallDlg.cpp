#include "uninstall/win/UninstallDlg.h"

#include <string>

#include "common/FrameMessages.h"
#include "common/Text.h"
#include "common/win/ProgramFolder.h"
#include "common/win/Shell.h"
#include "online/Site.h"
#include "resources/uninstall_ids.h"
#include "uninstall/RemovalReport.h"
#include "uninstall/win/Removal.h"
#include "win/MessageBox.h"

namespace {

constexpr char kDone[] = "卸载成功,请重新启动操作系统";
// Shown instead when something that was installed is still there, so a
// removal that did not happen is never reported as done.
constexpr char kNotDone[] = "卸载未完成,有文件或设置无法删除。请先退出 Vistrel,再以管理员权限运行此程序";
// brova's files cannot be deleted while it runs, so nothing is touched until
// its main frame is gone.
constexpr char kRunning[] = "Vistrel 正在运行,无法卸载。请先退出 Vistrel,再点“重试”。";
bool IsBrovaRunning() { return FindWindowW(nullptr, text::Widen(frame_msg::kFrameTitle).c_str()) != nullptr; }

}  // namespace

CUninstallDlg::CUninstallDlg() : Dialog(IDD_UNINSTALL) {}

BOOL CUninstallDlg::OnInitDialog() {
  AddAboutToSystemMenu();
  SetIcons(IDI_UNINSTALL);
  const std::string product = uninstall::kProductName;
  SetText("卸载 " + product);
  SetItemText(IDC_UNINSTALL_QUESTION, "你真的要卸载 " + product + " 吗？");
  OnClick(IDC_ADMIN_HELP, [] { OpenWithShell(SiteBaseUrl() + uninstall::kAdminHelpPath); });
  return TRUE;
}

void CUninstallDlg::AddAboutToSystemMenu() {
  HMENU menu = GetSystemMenu(hwnd_, FALSE);
  const wchar_t* item = nullptr;
  // With a zero buffer size LoadStringW points into the resource itself.
  int length = LoadStringW(GetModuleHandleW(nullptr), IDS_UNINSTALL_ABOUT, reinterpret_cast<LPWSTR>(&item), 0);
  if (!menu || length <= 0) return;
  std::wstring textOfItem(item, static_cast<size_t>(length));
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, IDM_UNINSTALL_ABOUT, textOfItem.c_str());
}

LRESULT CUninstallDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == IDM_UNINSTALL_ABOUT) {
    win::Dialog about(IDD_UNINSTALL_ABOUT);
    about.DoModal(hwnd_);
    return 0;
  }
  return Dialog::WindowProc(msg, wp, lp);
}


void CUninstallDlg::OnOK() {
  while (IsBrovaRunning()) {
    if (win::ShowMessage(kRunning, MB_RETRYCANCEL | MB_ICONEXCLAMATION) != IDRETRY) {
      EndDialog(IDCANCEL);
      return;
    }
  }
  uninstall::RemovalResult result = uninstall::RemoveProduct(ProgramFolder(), uninstall::kProductName);
  std::string message = result.Complete() ? kDone : kNotDone;
  if (!result.keptUserFiles.empty()) message += "\n\n" + result.keptUserFiles;
  win::ShowMessage(message, MB_OK);
  EndDialog(IDOK);
}

void CUninstallDlg::OnDestroy() {
  // Every time the window goes, after "确认" as after "取消".
  SendRemovalReport();
  Default();
}

void CUninstallDlg::SendRemovalReport() {
  std::string answer;
  HttpGetToString(uninstall::RemovalReportUrl(SiteBaseUrl(), uninstall::kProductName), answer,
                  uninstall::ReportRequestOptions());
}
