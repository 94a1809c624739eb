// "错过的提醒": one window at start that lists the plans whose minute passed
// while the program was not running. The selected rows (at first all) are
// snoozed with the chosen delay, after which each comes back in a reminder
// prompt, or dismissed ("我知道了"); the window goes when no row is left, and
// closing it dismisses the rest. It owns itself: the object is deleted when
// its window goes.
#pragma once
#include <windows.h>

#include <vector>

#include "plans/MissedPlans.h"
#include "win/Dialog.h"

class CMissedPlansDlg : public win::Dialog {
 public:
  explicit CMissedPlansDlg(std::vector<MissedPlan> missed);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override { DestroyWindow(hwnd_); }  // deletes this
  void PostNcDestroy() override { delete this; }

 private:
  // Snoozes (delayMs > 0) or dismisses the selected rows; may delete this.
  void ActOnSelected(int delayMs);
  void ShowCount();

  std::vector<MissedPlan> missed_;  // in list order
};

// Opens the window, owned by owner, when there is a missed plan.
void OpenMissedPlans(HWND owner, std::vector<MissedPlan> missed);
