// The capture settings page "参数设置": where captures go (clipboard, BMP
// file), the save folder, and below them the options of "data\capture.ini"
// (file format with JPEG quality, screens, delay). Runs modally from the capture window, and as
// the first page of the settings window. The hot keys travel through a
// save unchanged: their pickers are made but kept hidden here. The page
// starts from the store's values and saves through it; the frame, which
// holds the store, hears of a save by its reload message.
#pragma once
#include "capture/SnapshotSettings.h"
#include "capture/win/CaptureSettingsStore.h"
#include "common/win/HotKeyPicker.h"
#include "win/Dialog.h"

class CCaptureSettingsDlg : public win::Dialog {
 public:
  explicit CCaptureSettingsDlg(CCaptureSettingsStore& store);

  const SnapshotSettings& settings() const { return settings_; }

 protected:
  BOOL OnInitDialog() override;
  bool PreTranslateMessage(MSG& msg) override;

 private:
  void Layout() override;
  void Browse();
  void Save();
  void ShowOptions(const CaptureOptions& options);
  // The options the controls show; false, with the reason shown, when a
  // number is out of its range.
  bool ReadOptions(CaptureOptions& options);

  CCaptureSettingsStore& store_;
  SnapshotSettings settings_;
  CHotKeyPicker pickers_[3];
};
