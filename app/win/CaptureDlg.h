// The capture window "Vistrel": the three capture modes, the settings, the
// home page and exit.
#pragma once
#include "capture/win/CaptureSettingsStore.h"
#include "common/win/SkinButton.h"
#include "win/Dialog.h"

class CCaptureDlg : public win::Dialog {
 public:
  // The settings page it opens saves through captureSettings.
  explicit CCaptureDlg(CCaptureSettingsStore& captureSettings);

 protected:
  BOOL OnInitDialog() override;
  void OnClose() override;
  void OnCancel() override {}  // Escape does not hide the window
  void OnOK() override {}      // nor does Enter
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // The full-screen button's right-click menu: the capture after 3, 5 or
  // 10 seconds.
  void ShowDelayMenu(POINT at);

  CCaptureSettingsStore& captureSettings_;
  CSkinButton buttons_[6];
};
