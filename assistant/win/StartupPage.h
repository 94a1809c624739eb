// The page "启动" of the settings window: whether the sibling manager
// "velmo.exe" starts with the computer (the Run value "vq09") and whether it
// shows the management center (no marker file "data\show_no.ini").
#pragma once
#include "win/Dialog.h"

class CStartupPage : public win::Dialog {
 public:
  CStartupPage();

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;        // saves; the page stays
  void OnCancel() override {}  // the page never ends itself
};
