#include "common/win/EditorDlg.h"

#include "win/MessageBox.h"

void CEditorDlg::AttachButtons() {
  save_.Attach(hwnd_, saveId_);
  cancel_.Attach(hwnd_, IDCANCEL);
  OnClick(saveId_, [this] { Save(); });
}

void CEditorDlg::Finish(const char* message) {
  if (message) {
    win::ShowMessage(message);
    return;
  }
  EndDialog(IDOK);
}
