// The base of the toolbox's dialogs: their shared look.
#pragma once
#include "win/Dialog.h"

class CToolboxDlg : public win::Dialog {
 public:
  using Dialog::Dialog;

 protected:
  // The program's icon, black text on the paper colour (the drop-down lists
  // too when lists is set), the dialog centred on the desktop.
  void InitLook(bool lists = false);
  // Read-only edits (which ask as static texts) keep the system's colours.
  HBRUSH OnCtlColor(HDC dc, HWND control, int type) override;
};
