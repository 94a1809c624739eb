#include "assistant/win/CdKeyPage.h"

#include "assistant/win/SettingsPage.h"
#include "common/FrameMessages.h"
#include "resources/assistant_ids.h"

CCdKeyPage::CCdKeyPage(CRecordStore<CdKeyRecords>& store) : Dialog(IDD_CD_KEY_PAGE), store_(store) {}

BOOL CCdKeyPage::OnInitDialog() {
  // The file as it is now: another program may have changed it.
  record_ = store_.Read();
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
  settings_page::Saved(store_.Save(record_), frame_msg::kReloadCdKeys);
}
