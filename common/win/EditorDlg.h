// A toolbox dialog that takes what was typed on its save button (and on
// Enter): it ends with IDOK when that is accepted, else shows why not and
// stays open. Also the five time lists (year to minute) of the plan and
// ledger editors.
#pragma once
#include <windows.h>

#include "common/TimeLists.h"
#include "common/win/SkinButton.h"
#include "common/win/ToolboxDlg.h"

class CEditorDlg : public CToolboxDlg {
 public:
  CEditorDlg(int templateId, int saveId) : CToolboxDlg(templateId), saveId_(saveId) {}

 protected:
  // Skins the save and cancel buttons.
  void AttachButtons();
  bool OnButtonClicked(int id) override;
  // Enter outside a multi-line box saves, as the save button does.
  void OnOK() override { Save(); }
  // Checks and takes what was typed, then calls Finish.
  virtual void Save() = 0;
  // message null: ends with IDOK; else shows it and the dialog stays open.
  void Finish(const char* message);

  // Fills the time lists ids (in the order of TimeLists::List) with their
  // entries, each showing shown's time, enabled as shown says. A locked list
  // whose entries do not hold the time (a year past the last) shows the
  // time's own value as an entry of its own.
  void FillTimeLists(const int (&ids)[TimeLists::kListCount], const TimeLists& shown) const;
  // The time lists' selections (-1 = none).
  void ReadTimeLists(const int (&ids)[TimeLists::kListCount], int (&selection)[TimeLists::kListCount]) const;

 private:
  int saveId_;
  CSkinButton save_, cancel_;
};
