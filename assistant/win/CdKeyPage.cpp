#include "assistant/win/CdKeyPage.h"

#include "common/FrameMessages.h"
#include "resources/assistant_ids.h"

CCdKeyPage::CCdKeyPage(CRecordStore<CdKeyRecords>& store)
    : CRecordPage(IDD_CD_KEY_PAGE, store, frame_msg::kReloadCdKeys) {}

BOOL CCdKeyPage::OnInitDialog() {
  ReadRecord();
  openPicker_.Bind(&record_.open);
  closePicker_.Bind(&record_.close);
  openPicker_.Create(hwnd_);
  closePicker_.Create(hwnd_);
  settings_page::PlacePicker(openPicker_, 0);
  settings_page::PlacePicker(closePicker_, 1);
  return TRUE;
}

void CCdKeyPage::OnOK() {
  openPicker_.Save();
  closePicker_.Save();
  SaveRecord();
}
