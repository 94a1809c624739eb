#include "common/win/EditorDlg.h"

#include "win/MessageBox.h"

void CEditorDlg::AttachButtons() {
  save_.Attach(hwnd_, saveId_);
  cancel_.Attach(hwnd_, IDCANCEL);
}

bool CEditorDlg::OnButtonClicked(int id) {
  if (id == saveId_) {
    Save();
    return true;
  }
  return CToolboxDlg::OnButtonClicked(id);
}

void CEditorDlg::Finish(const char* message) {
  if (message) {
    win::ShowMessage(message);
    return;
  }
  EndDialog(IDOK);
}
