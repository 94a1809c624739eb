#include "plans/win/MissedPlansDlg.h"

#include <algorithm>
#include <utility>

#include "common/Text.h"
#include "common/win/ProgramFolder.h"
#include "plans/PromptState.h"
#include "plans/ReminderState.h"
#include "plans/win/ReminderPrompt.h"
#include "resources/app_ids.h"
#include "resources/planner_ids.h"
#include "win/Controls.h"
#include "win/Gdi.h"

namespace {
// The window stands right-aligned with the reminder prompts, just above
// the place where they slide up, so that neither hides the other.
constexpr int kScreenRightGap = 24;
constexpr int kAbovePromptGap = 32 + CPromptState::kFullHeight + 8;
constexpr int kTextMargin = 8;
}  // namespace

CMissedPlansDlg::CMissedPlansDlg(std::vector<MissedPlan> missed)
    : Dialog(IDD_MISSED_PLANS), missed_(std::move(missed)) {}

BOOL CMissedPlansDlg::OnInitDialog() {
  SetIcons(IDR_MAINFRAME);
  win::ListBox list(hwnd_, IDC_MISSED_LIST);
  int widest = 0;
  {
    win::WindowDc dc(list.hwnd());
    win::Select font(dc, reinterpret_cast<HFONT>(SendMessageW(list.hwnd(), WM_GETFONT, 0, 0)));
    for (const MissedPlan& m : missed_) {
      const std::string row = MissedRowText(m);
      list.AddString(row);
      std::wstring w = text::Widen(row);
      SIZE size{};
      GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
      widest = std::max(widest, static_cast<int>(size.cx));
    }
  }
  // A long content can be scrolled to.
  SendMessageW(list.hwnd(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + kTextMargin), 0);
  list.SetSel(-1, true);
  ShowCount();

  win::ComboBox snooze(hwnd_, IDC_MISSED_SNOOZE);
  for (int i = 1; i < CPromptState::kSnoozeEntryCount; ++i) snooze.AddString(CPromptState::SnoozeEntryText(i));
  int last = CPromptState::SnoozeEntryOf(LoadReminderState(InProgramFolder(kReminderStatePath)).lastSnoozeMinutes);
  snooze.SetCurSel(std::max(last, 1) - 1);

  RECT r;
  GetWindowRect(hwnd_, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  SetWindowPos(hwnd_, HWND_TOPMOST, GetSystemMetrics(SM_CXSCREEN) - kScreenRightGap - width,
               GetSystemMetrics(SM_CYSCREEN) - kAbovePromptGap - height, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  OnClick(IDC_MISSED_LATER, [this] {
    ActOnSelected(CPromptState::ConfirmDelayMs(win::ComboBox(hwnd_, IDC_MISSED_SNOOZE).CurSel() + 1));
  });
  OnClick(IDC_MISSED_DISMISS, [this] { ActOnSelected(0); });  // may delete this
  return TRUE;
}

void CMissedPlansDlg::ShowCount() {
  SetItemText(IDC_MISSED_LABEL,
              text::Format("brova 未运行时错过了 %d 个提醒:", static_cast<int>(missed_.size())));
}

void CMissedPlansDlg::ActOnSelected(int delayMs) {
  win::ListBox list(hwnd_, IDC_MISSED_LIST);
  if (list.SelCount() <= 0) return;
  if (delayMs > 0) RememberSnooze(InProgramFolder(kReminderStatePath), delayMs / 60000);
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  for (int i = list.Count() - 1; i >= 0; --i) {
    if (!list.Selected(i)) continue;
    if (delayMs > 0) OpenSnoozedPlanPrompt(owner, missed_[i].plan, delayMs);
    list.DeleteString(i);
    missed_.erase(missed_.begin() + i);
  }
  if (missed_.empty()) {
    DestroyWindow(hwnd_);  // deletes this
    return;
  }
  // What is left is handled next by one click.
  list.SetSel(-1, true);
  ShowCount();
}

void OpenMissedPlans(HWND owner, std::vector<MissedPlan> missed) {
  if (missed.empty()) return;
  auto* dlg = new CMissedPlansDlg(std::move(missed));
  if (!dlg->Create(owner)) {
    delete dlg;
    return;
  }
  ShowWindow(dlg->hwnd(), SW_SHOWNOACTIVATE);
}
