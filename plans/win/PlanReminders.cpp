#include "plans/win/PlanReminders.h"

#include "plans/win/MyCaDlg.h"

namespace {
// The check runs a little after the minute turns, so that timer jitter never
// lands it at the end of the minute before.
constexpr int kAfterTurnMs = 500;
}  // namespace

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

void CPlanReminders::Arm() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  int untilTurn = (60 - now.wSecond) * 1000 - now.wMilliseconds;
  SetTimer(owner_, timerId_, static_cast<UINT>(untilTurn + kAfterTurnMs), nullptr);
}

void CPlanReminders::OnTimer() {
  Arm();
  Check();
}

void CPlanReminders::Check() {
  if (!owner_) return;
  for (const PlanRecord& plan : clock_.Poll(CurrentPlanTime())) OpenPlanPrompt(owner_, plan);
}
