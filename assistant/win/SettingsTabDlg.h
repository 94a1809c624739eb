// "参数设置-Tolvana": the four settings pages under one tab control. A page
// is made the first time its tab is shown and kept until the window closes;
// only a click on a tab (NM_CLICK) changes the page shown.
#pragma once
#include <functional>
#include <memory>

#include "assistant/BossKeyRecord.h"
#include "assistant/CdKeyRecords.h"
#include "common/RecordStore.h"
#include "win/Dialog.h"

class CSettingsTabDlg : public win::Dialog {
 public:
  static constexpr int kPageCount = 4;
  enum Page { kCapturePage = 0, kBossKeyPage, kCdPage, kStartupPage };

  // The capture page comes from the capture windows: makeCapturePage returns
  // it made (modeless, owned by the parent it is given), or null.
  using PageMaker = std::function<std::unique_ptr<win::Dialog>(HWND parent)>;
  // The boss-key and CD pages write through the stores their holder reads
  // the keys from.
  struct Stores {
    CRecordStore<BossKeyRecord>& bossKey;
    CRecordStore<CdKeyRecords>& cdKeys;
  };
  CSettingsTabDlg(PageMaker makeCapturePage, Stores stores);
  ~CSettingsTabDlg() override;

  // Shows page k, making it when it does not exist yet; false for another k.
  bool ShowPage(int k);

 protected:
  BOOL OnInitDialog() override;
  LRESULT OnNotify(int id, NMHDR* header) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnTimer(UINT_PTR id) override;
  void Layout() override;

 private:
  std::unique_ptr<win::Dialog> MakePage(int k);
  // The index of the tab that the click being handled hit.
  int ClickedTab();
  // Puts the shown pages that are pop-ups (the capture page) above this window.
  void RaisePopupPages();

  static constexpr UINT_PTR kRaiseTimer = 1;
  static constexpr UINT kRaiseTickMs = 250;
  static constexpr int kRaiseTicks = 12;

  PageMaker makeCapturePage_;
  Stores stores_;
  int current_ = -1;
  int raisesLeft_ = 0;
  std::unique_ptr<win::Dialog> pages_[kPageCount];
};
