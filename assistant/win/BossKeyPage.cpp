#include "assistant/win/BossKeyPage.h"

#include "assistant/win/BossKeyAction.h"
#include "common/FrameMessages.h"
#include "resources/assistant_ids.h"
#include "win/Controls.h"

CBossKeyPage::CBossKeyPage(CRecordStore<BossKeyRecord>& store)
    : CRecordPage(IDD_BOSS_KEY_PAGE, store, frame_msg::kReloadBossKey) {}

BOOL CBossKeyPage::OnInitDialog() {
  ReadRecord();
  picker_.Bind(&record_.key);
  picker_.Create(hwnd_);
  settings_page::PlacePicker(picker_, 0);
  FillWindowList();
  if (!record_.ShowsDesktop()) SelectTitle(record_.title);
  OnClick(IDC_BOSS_REFRESH, [this] { FillWindowList(); });
  OnClick(IDC_BOSS_TEST, [this] { Test(); });
  return TRUE;
}

void CBossKeyPage::FillWindowList() {
  win::ComboBox list(hwnd_, IDC_BOSS_WINDOW_LIST);
  list.Reset();
  list.AddString(kShowDesktopEntry);
  for (const std::string& title : boss_key::ListedTitles()) list.AddString(title);
  list.SetCurSel(0);
}

void CBossKeyPage::SelectTitle(const std::string& title) {
  win::ComboBox list(hwnd_, IDC_BOSS_WINDOW_LIST);
  for (int i = 0; i < list.Count(); ++i) {
    if (boss_key::SameTitle(list.ItemText(i), title)) {
      list.SetCurSel(i);
      return;
    }
  }
}

void CBossKeyPage::Test() {
  win::ComboBox list(hwnd_, IDC_BOSS_WINDOW_LIST);
  int i = list.CurSel();
  if (i < 0) return;
  if (i == 0) {
    boss_key::MinimiseAll();
    return;
  }
  if (HWND window = boss_key::FindByTitle(list.ItemText(i))) boss_key::ShowWindowOnTop(window);
}

void CBossKeyPage::OnOK() {
  win::ComboBox list(hwnd_, IDC_BOSS_WINDOW_LIST);
  int i = list.CurSel();
  record_.listIndex = i;
  record_.title = i >= 0 ? list.ItemText(i) : std::string();
  picker_.Save();
  SaveRecord();
}
