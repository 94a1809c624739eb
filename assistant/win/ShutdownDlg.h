// "自动关机设置-Tolvana": the time of day of the automatic shutdown. Saving
// writes "data3\shutdown.ini", cancelling the setting deletes it; either way
// through the frame's store, which is then told to look at its time again.
#pragma once
#include "assistant/ShutdownSettings.h"
#include "common/win/SkinButton.h"
#include "common/win/ToolboxDlg.h"

class CShutdownDlg : public CToolboxDlg {
 public:
  explicit CShutdownDlg(CShutdownStore& store);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void Save();
  void CancelSetting();

  CShutdownStore& store_;
  CSkinButton save_;
  CSkinButton cancelSetting_;
};
