// The uninstaller's one window: asks whether to remove Vistrel, removes it
// on "确认", and reports the removal to the maker's site whenever it goes.
#pragma once
#include "win/Dialog.h"

class CUninstallDlg : public win::Dialog {
 public:
  CUninstallDlg();

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnDestroy() override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void AddAboutToSystemMenu();
  void SendRemovalReport();
};
