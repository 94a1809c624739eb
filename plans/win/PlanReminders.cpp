#include "plans/win/PlanReminders.h"

#include "common/win/MinuteTurn.h"
#include "plans/win/MyCaDlg.h"

PlanTime CurrentPlanTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return PlanTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

CPlanReminders::CPlanReminders() : clock_(CurrentPlanTime()) {}

void CPlanReminders::Start(HWND owner, UINT_PTR timerId) {
  owner_ = owner;
  timerId_ = timerId;
  Arm();
}

void CPlanReminders::Arm() { SetMinuteTurnTimer(owner_, timerId_); }

void CPlanReminders::OnTimer() {
  Arm();
  Check();
}

void CPlanReminders::Check() {
  if (!owner_) return;
  for (const PlanRecord& plan : clock_.Poll(CurrentPlanTime())) OpenPlanPrompt(owner_, plan);
}
