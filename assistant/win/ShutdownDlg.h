// "自动关机设置-Tolvana": the time of day of the automatic shutdown. Saving
// writes "data3\shutdown.ini", cancelling the setting deletes it; either way
// the frame reloads its shutdown settings.
#pragma once
#include "common/win/SkinButton.h"
#include "win/Dialog.h"

class CShutdownDlg : public win::Dialog {
 public:
  CShutdownDlg();

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void Save();
  void CancelSetting();

  CSkinButton save_;
  CSkinButton cancelSetting_;
};
