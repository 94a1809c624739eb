#include "assistant/win/CdKeyPage.h"

#include "assistant/RecordStore.h"
#include "assistant/win/SettingsPage.h"
#include "common/FrameMessages.h"
#include "common/win/ProgramFolder.h"
#include "resources/assistant_ids.h"

CCdKeyPage::CCdKeyPage() : Dialog(IDD_CD_KEY_PAGE) {}

BOOL CCdKeyPage::OnInitDialog() {
  assistant::RecordStore<CdKeyRecords> store(kCdKeyPath);
  store.Load(ProgramFolder());
  record_ = store.Current();
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
  assistant::RecordStore<CdKeyRecords> store(kCdKeyPath);
  settings_page::Saved(store.Save(ProgramFolder(), record_), frame_msg::kReloadCdKeys);
}
