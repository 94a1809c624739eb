// The capture settings page "参数设置": where captures go (clipboard, BMP
// file) and the save folder. Runs modally from the capture window, and as
// the first page of the settings window. The hot keys travel through a
// save unchanged: their pickers are made but kept hidden here.
#pragma once
#include "capture/SnapshotSettings.h"
#include "common/win/HotKeyPicker.h"
#include "win/Dialog.h"
#include "win/Gdi.h"

class CCaptureSettingsDlg : public win::Dialog {
 public:
  CCaptureSettingsDlg();

  const SnapshotSettings& settings() const { return settings_; }

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnSize(UINT type, int cx, int cy) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, int type) override;
  bool PreTranslateMessage(MSG& msg) override;

 private:
  void Layout();
  void Browse();
  void Save();

  SnapshotSettings settings_;
  CHotKeyPicker pickers_[3];
  win::Brush background_;
};
