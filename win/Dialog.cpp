#include "win/Dialog.h"

#include "win/App.h"

namespace win {

HWND Dialog::CreateFromTemplate(HWND parent) {
  return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent, DialogProc,
                            reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_INITDIALOG) return FALSE;  // everything else reaches us through the subclass
  auto* self = reinterpret_cast<Dialog*>(lp);
  self->Subclass(hwnd);
  return self->OnInitDialog();
}

bool Dialog::Create(HWND parent) {
  modal_ = false;
  ended_ = false;
  return CreateFromTemplate(parent) != nullptr;
}

Dialog::~Dialog() {
  if (modal_) ReleaseOwner();  // made and never run
}

INT_PTR Dialog::DoModal(HWND owner) {
  if (!CreateModal(owner)) return -1;
  return RunModal();
}

bool Dialog::CreateModal(HWND owner) {
  if (!owner) owner = App::MainWindow();
  if (owner) owner = GetAncestor(owner, GA_ROOT);
  modal_ = true;
  ended_ = false;
  result_ = -1;
  // The owner is disabled before the dialog exists, as the system's own
  // modal dialogs do, so nothing reaches it while the dialog starts.
  owner_ = nullptr;
  if (owner && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    owner_ = owner;
  }
  if (!CreateFromTemplate(owner)) {
    ReleaseOwner();
    modal_ = false;
    return false;
  }
  return true;
}

INT_PTR Dialog::RunModal() {
  HWND dlg = hwnd_;
  if (!modal_ || !dlg) return -1;
  if (!ended_) OnShowModal();
  if (!ended_ && IsWindow(dlg) && !IsWindowVisible(dlg)) ShowWindow(dlg, SW_SHOWNORMAL);
  MSG msg;
  while (!ended_ && IsWindow(dlg) && !App::Quitting()) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // let the outer loop end too
      break;
    }
    if (got < 0) break;
    App::PumpMessage(msg);
  }
  // Give activation back to the owner before our window goes, so it does not
  // fall to another program.
  HWND owner = GetWindow(dlg, GW_OWNER);
  ReleaseOwner();
  if (owner && GetActiveWindow() == dlg) SetActiveWindow(owner);
  if (IsWindow(dlg)) DestroyWindow(dlg);
  modal_ = false;
  return result_;
}

void Dialog::ReleaseOwner() {
  if (owner_) EnableWindow(owner_, TRUE);
  owner_ = nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
  result_ = result;
  ended_ = true;
  if (!modal_ && hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

bool Dialog::PreTranslateMessage(MSG& msg) {
  if (!hwnd_) return false;
  bool input = (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
               (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST);
  if (!input) return false;
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  return IsDialogMessageW(hwnd_, &msg) != 0;
}

bool Dialog::OnButtonClicked(int id) {
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

}  // namespace win
