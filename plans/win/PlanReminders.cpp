#include "plans/win/PlanReminders.h"

#include "common/win/LocalClock.h"
#include "common/win/MinuteTurn.h"
#include "common/win/ProgramFolder.h"
#include "plans/MissedPlans.h"
#include "plans/ReminderState.h"
#include "plans/win/MissedPlansDlg.h"
#include "plans/win/ReminderPrompt.h"

const CHolidayCalendar& PlanHolidays() {
  static const CHolidayCalendar holidays = [] {
    CHolidayCalendar h;
    h.Load(ProgramFolder() + kHolidayFilePath);
    return h;
  }();
  return holidays;
}

CPlanReminders::CPlanReminders() : startedAt_(LocalNow()), clock_(startedAt_) {}

void CPlanReminders::Start(HWND owner, UINT_PTR timerId) {
  owner_ = owner;
  timerId_ = timerId;
  // The plans of the minutes before the clock's start that the last run
  // did not see; the clock shows those of its start minute on.
  OpenMissedPlans(owner_, FindMissedPlans(LoadReminderState(InProgramFolder(kReminderStatePath)).lastRun, startedAt_,
                                          InProgramFolder(kPlanFilePath), &PlanHolidays()));
  Check();
}

void CPlanReminders::Check() {
  if (!owner_) return;
  const MinuteTime now = LocalNow();
  for (const PlanRecord& plan : clock_.Poll(now, InProgramFolder(kPlanFilePath), &PlanHolidays()))
    OpenPlanPrompt(owner_, plan);
  RecordLastRun(now);
  // The clock's shift is whole minutes: its minutes turn with the real ones.
  SetMinuteTurnTimer(owner_, timerId_, ReminderWaitMinutes(now, clock_.NextDue()));
}

void CPlanReminders::RecordLastRun(const MinuteTime& now) {
  // Written once a minute at most, though every change of the plans checks.
  // A failed write lists a few plans again at the next start.
  if (recorded_ == now) return;
  if (RememberLastRun(InProgramFolder(kReminderStatePath), now)) recorded_ = now;
}
