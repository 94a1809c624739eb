// A toolbox dialog that takes what was typed on its save button (and on
// Enter): it ends with IDOK when that is accepted, else shows why not and
// stays open. Also the five time lists (year to minute) of the plan and
// ledger editors.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

#include "common/win/SkinButton.h"
#include "common/win/ToolboxDlg.h"
#include "win/Controls.h"

class CEditorDlg : public CToolboxDlg {
 public:
  CEditorDlg(int templateId, int saveId) : CToolboxDlg(templateId), saveId_(saveId) {}

 protected:
  // Skins the save and cancel buttons; the save button then saves.
  void AttachButtons();
  // Enter outside a multi-line box saves, as the save button does.
  void OnOK() override { Save(); }
  // Checks and takes what was typed, then calls Finish.
  virtual void Save() = 0;
  // message null: ends with IDOK; else shows it and the dialog stays open.
  void Finish(const char* message);

  // Fills the time lists ids (in the order of Lists::List) with Lists's
  // entries, each showing edit's time, enabled as edit says. A locked list
  // whose entries do not hold the time (a year past the last) shows the
  // time's own value as an entry of its own.
  template <class Lists, class Edit, size_t N>
  void FillTimeLists(const int (&ids)[N], const Edit& edit) const {
    for (size_t l = 0; l < N; ++l) {
      auto list = static_cast<typename Lists::List>(l);
      win::ComboBox box(hwnd_, ids[l]);
      for (int i = 0; i < Lists::EntryCount(list); ++i) box.AddString(Lists::EntryText(list, i));
      int shown = edit.SelectedIndex(list);
      const bool enabled = edit.TimeListsEnabled();
      if (shown < 0 && !enabled) {
        const std::string own = edit.ValueText(list);
        if (!own.empty()) shown = box.AddString(own);
      }
      box.SetCurSel(shown);
      box.Enable(enabled);
    }
  }
  // The time lists' selections (-1 = none).
  template <size_t N>
  void ReadTimeLists(const int (&ids)[N], int (&selection)[N]) const {
    for (size_t l = 0; l < N; ++l) selection[l] = win::ComboBox(hwnd_, ids[l]).CurSel();
  }

 private:
  int saveId_;
  CSkinButton save_, cancel_;
};
