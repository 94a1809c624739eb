#include "common/win/EditorDlg.h"

#include <string>

#include "win/Controls.h"
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

void CEditorDlg::FillTimeLists(const int (&ids)[TimeLists::kListCount], const TimeLists& shown) const {
  const bool enabled = shown.TimeListsEnabled();
  for (int l = 0; l < TimeLists::kListCount; ++l) {
    auto list = static_cast<TimeLists::List>(l);
    win::ComboBox box(hwnd_, ids[l]);
    for (int i = 0; i < TimeLists::EntryCount(list); ++i) box.AddString(TimeLists::EntryText(list, i));
    int selected = shown.SelectedIndex(list);
    if (selected < 0 && !enabled) {
      const std::string own = shown.ValueText(list);
      if (!own.empty()) selected = box.AddString(own);
    }
    box.SetCurSel(selected);
    box.Enable(enabled);
  }
}

void CEditorDlg::ReadTimeLists(const int (&ids)[TimeLists::kListCount],
                               int (&selection)[TimeLists::kListCount]) const {
  for (int l = 0; l < TimeLists::kListCount; ++l) selection[l] = win::ComboBox(hwnd_, ids[l]).CurSel();
}
