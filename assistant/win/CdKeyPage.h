// The page "光驱" of the settings window: the keys that open and close the
// CD trays.
#pragma once
#include "assistant/CdKeyRecords.h"
#include "assistant/win/SettingsPage.h"
#include "common/win/HotKeyPicker.h"

class CCdKeyPage : public CRecordPage<CdKeyRecords> {
 public:
  explicit CCdKeyPage(CRecordStore<CdKeyRecords>& store);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;  // saves; the page stays

 private:
  CHotKeyPicker openPicker_;
  CHotKeyPicker closePicker_;
};
