// The plans whose minute passed while the program was not running: listed
// once at start in "错过的提醒". A plan counts once, at its last missed
// occurrence, with the number of its occurrences missed: a daily plan missed
// on three days is one row "(错过 3 次)", not three rows of the same text.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "calendar/HolidayCalendar.h"
#include "plans/PlanStore.h"

// How far back missed plans are looked for.
constexpr int kMissedDaysBack = 7;

struct MissedPlan {
  PlanRecord plan;  // the last occurrence missed
  int count = 1;    // occurrences missed
};

// The plans of the file with an occurrence after lastRun's minute and
// before now's (whose plans the running clock shows), at most kMissedDaysBack
// days back, in the time order of their last occurrences. None without a
// last run (a first run) and none when the clock stands before it (set back).
std::vector<MissedPlan> FindMissedPlans(const std::optional<MinuteTime>& lastRun, const MinuteTime& now,
                                        const std::string& path = kPlanFilePath,
                                        const CHolidayCalendar* holidays = nullptr);

// One row of the list: "2026-12-04 08:00  吃药 (错过 3 次)", the content's
// line breaks as blanks.
std::string MissedRowText(const MissedPlan& missed);
