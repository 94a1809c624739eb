// The page "光驱" of the settings window: the keys that open and close the
// CD trays.
#pragma once
#include "assistant/CdKeyRecords.h"
#include "common/win/HotKeyPicker.h"
#include "win/Dialog.h"

class CCdKeyPage : public win::Dialog {
 public:
  CCdKeyPage();

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;        // saves; the page stays
  void OnCancel() override {}  // the page never ends itself

 private:
  CdKeyRecords record_;
  CHotKeyPicker openPicker_;
  CHotKeyPicker closePicker_;
};
