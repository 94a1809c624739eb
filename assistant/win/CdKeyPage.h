// The page "光驱" of the settings window: the keys that open and close the
// CD trays.
#pragma once
#include "assistant/CdKeyRecords.h"
#include "common/RecordStore.h"
#include "common/win/HotKeyPicker.h"
#include "win/Dialog.h"

class CCdKeyPage : public win::Dialog {
 public:
  // Starts from the keys in the store's file and saves through the store.
  explicit CCdKeyPage(CRecordStore<CdKeyRecords>& store);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;        // saves; the page stays
  void OnCancel() override {}  // the page never ends itself

 private:
  CRecordStore<CdKeyRecords>& store_;
  CdKeyRecords record_;
  CHotKeyPicker openPicker_;
  CHotKeyPicker closePicker_;
};
