#include "plans/win/PlanReminders.h"

#include <cstdlib>

#include "common/CivilDate.h"
#include "common/win/MinuteTurn.h"
#include "common/win/ProgramFolder.h"
#include "plans/win/MyCaDlg.h"

namespace {

// Whole minutes, so the clock's minutes still turn with the real ones.
int64_t ClockShift(const PlanTime& real) {
  const char* fixed = std::getenv("VISTREL_CLOCK");
  PlanTime t;
  if (!fixed || !ParseTimeText(fixed, t) || !civil::IsValidDate(t.year, t.month, t.day)) return 0;
  return MinutesOf(t) - MinutesOf(real);
}

}  // namespace

PlanTime CurrentPlanTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const PlanTime real{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
  static const int64_t shift = ClockShift(real);
  return shift == 0 ? real : TimeOfMinutes(MinutesOf(real) + shift);
}

const CHolidayCalendar& PlanHolidays() {
  static const CHolidayCalendar holidays = [] {
    CHolidayCalendar h;
    h.Load(ProgramFolder() + kHolidayFilePath);
    return h;
  }();
  return holidays;
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
  for (const PlanRecord& plan : clock_.Poll(CurrentPlanTime(), InProgramFolder(kPlanFilePath), &PlanHolidays())) OpenPlanPrompt(owner_, plan);
}
