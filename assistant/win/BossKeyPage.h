// The page "老板键" of the settings window: the boss key and the window it
// brings to the front (entry 0 of the list: show the desktop).
#pragma once
#include "assistant/BossKeyRecord.h"
#include "assistant/win/SettingsPage.h"
#include "common/win/HotKeyPicker.h"

class CBossKeyPage : public CRecordPage<BossKeyRecord> {
 public:
  explicit CBossKeyPage(CRecordStore<BossKeyRecord>& store);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;  // saves; the page stays

 private:
  void FillWindowList();
  void SelectTitle(const std::string& title);
  void Test();

  CHotKeyPicker picker_;
};
