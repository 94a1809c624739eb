// The local clock, to the minute: what the planner, its reminders and the
// ledger take as now.
#pragma once
#include "common/MinuteTime.h"

// The local time to the minute. Tests fix the clock with the environment
// variable VISTREL_CLOCK ("YYYY-MM-DD HH:MM"): the time of the first reading,
// from which the clock runs on.
MinuteTime LocalNow();
