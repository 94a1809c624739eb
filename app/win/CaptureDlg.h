// The capture window "Vistrel": the three capture modes, the settings, the
// home page and exit.
#pragma once
#include "common/win/SkinButton.h"
#include "win/Dialog.h"
#include "win/Gdi.h"

class CCaptureDlg : public win::Dialog {
 public:
  CCaptureDlg();

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, int type) override;
  void OnClose() override;
  void OnCancel() override {}  // Escape does not hide the window
  void OnOK() override {}      // nor does Enter

 private:
  CSkinButton buttons_[6];
  win::Brush brush_;
};
