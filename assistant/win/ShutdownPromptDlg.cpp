#include "assistant/win/ShutdownPromptDlg.h"

#include <utility>

#include "common/Text.h"
#include "resources/app_ids.h"
#include "resources/assistant_ids.h"

CShutdownPromptDlg::CShutdownPromptDlg(std::function<void()> shutDown, int seconds)
    : Dialog(IDD_SHUTDOWN_PROMPT), shutDown_(std::move(shutDown)), seconds_(seconds) {}

bool CShutdownPromptDlg::Open(HWND owner) {
  if (!Create(owner)) return false;
  CenterOnDesktop();
  MakeTopMost();
  Show(SW_SHOW);
  SetForegroundWindow(hwnd_);
  return true;
}

BOOL CShutdownPromptDlg::OnInitDialog() {
  SetIcons(IDR_MAINFRAME);
  SetTimer(hwnd_, kTickTimer, kTickMs, nullptr);
  // The focus starts on "取消关机", the default button: a stray Enter keeps the computer running.
  SetFocus(Item(IDCANCEL));
  return FALSE;
}

void CShutdownPromptDlg::OnTimer(UINT_PTR id) {
  if (id != kTickTimer) return Dialog::OnTimer(id);
  if (seconds_ <= 1) {
    KillTimer(hwnd_, kTickTimer);
    OnOK();
    return;
  }
  --seconds_;
  SetItemText(IDC_PROMPT_COUNTDOWN, text::Format("系统将在 %d 秒后关机", seconds_));
}

void CShutdownPromptDlg::OnOK() {
  KillTimer(hwnd_, kTickTimer);
  EndDialog(IDOK);
  if (shutDown_) shutDown_();
}

void CShutdownPromptDlg::OnCancel() {
  KillTimer(hwnd_, kTickTimer);
  EndDialog(IDCANCEL);
}

LRESULT CShutdownPromptDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_CLOSE) return 0;
  return Dialog::WindowProc(msg, wp, lp);
}
