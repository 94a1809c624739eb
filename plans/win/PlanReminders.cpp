#include "plans/win/PlanReminders.h"

#include "common/win/LocalClock.h"
#include "common/win/MinuteTurn.h"
#include "common/win/ProgramFolder.h"
#include "plans/win/MyCaDlg.h"

const CHolidayCalendar& PlanHolidays() {
  static const CHolidayCalendar holidays = [] {
    CHolidayCalendar h;
    h.Load(ProgramFolder() + kHolidayFilePath);
    return h;
  }();
  return holidays;
}

CPlanReminders::CPlanReminders() : clock_(LocalNow()) {}

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
  for (const PlanRecord& plan : clock_.Poll(LocalNow(), InProgramFolder(kPlanFilePath), &PlanHolidays())) OpenPlanPrompt(owner_, plan);
}
