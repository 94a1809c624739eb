#include "assistant/win/ShutdownDlg.h"

#include "common/FrameMessages.h"
#include "common/Text.h"
#include "common/win/SaveTexts.h"
#include "resources/assistant_ids.h"
#include "win/App.h"
#include "win/Controls.h"
#include "win/MessageBox.h"

namespace {
const char kReplaceCaption[] = "保存关机设置";
}  // namespace

CShutdownDlg::CShutdownDlg(CShutdownStore& store) : CToolboxDlg(IDD_SHUTDOWN), store_(store) {}

BOOL CShutdownDlg::OnInitDialog() {
  InitLook(/*lists=*/true);
  save_.Attach(hwnd_, IDC_SHUTDOWN_SAVE);
  cancelSetting_.Attach(hwnd_, IDC_SHUTDOWN_CANCEL_SETTING);
  win::ComboBox hours(hwnd_, IDC_SHUTDOWN_HOUR), minutes(hwnd_, IDC_SHUTDOWN_MINUTE);
  for (int h = 0; h < 24; ++h) hours.AddString(text::Format("%d", h));
  for (int m = 0; m < 60; ++m) minutes.AddString(text::Format("%d", m));
  hours.SetCurSel(0);
  minutes.SetCurSel(0);
  // The file as it is now: another program may have changed it.
  const ShutdownSettings shown = store_.Read();
  const bool stored = shown.armed != 0;
  if (stored) {
    // Numbers outside the lists leave them without a selection.
    hours.SetCurSel(shown.hour);
    minutes.SetCurSel(shown.minute);
  }
  // A stored time can only be cancelled, until a list is opened to change it.
  save_.Enable(!stored);
  cancelSetting_.Enable(stored);
  OnClick(IDC_SHUTDOWN_SAVE, [this] { Save(); });
  OnClick(IDC_SHUTDOWN_CANCEL_SETTING, [this] { CancelSetting(); });
  return TRUE;
}

bool CShutdownDlg::OnCommand(int id, int code, HWND control) {
  if (code == CBN_DROPDOWN && (id == IDC_SHUTDOWN_HOUR || id == IDC_SHUTDOWN_MINUTE)) {
    save_.Enable(true);
    save_.SetText(kReplaceCaption);
    return true;
  }
  return CToolboxDlg::OnCommand(id, code, control);
}

void CShutdownDlg::Save() {
  ShutdownSettings time = store_.Current();
  time.armed = 1;
  time.hour = win::ComboBox(hwnd_, IDC_SHUTDOWN_HOUR).CurSel();
  time.minute = win::ComboBox(hwnd_, IDC_SHUTDOWN_MINUTE).CurSel();
  // The dialog stays open when the time was not stored: no shutdown would come.
  if (!store_.Save(time)) {
    win::ShowMessage(save_text::kFailed);
    return;
  }
  PostMessageW(win::App::MainWindow(), frame_msg::kReloadShutdown, 0, 0);
  EndDialog(IDOK);
}

void CShutdownDlg::CancelSetting() {
  // The dialog stays open when the stored time is still there: it would
  // still shut the computer down.
  if (!store_.Remove()) {
    win::ShowMessage("取消失败,关机设置仍然有效");
    return;
  }
  PostMessageW(win::App::MainWindow(), frame_msg::kReloadShutdown, 0, 0);
  EndDialog(IDOK);
}
