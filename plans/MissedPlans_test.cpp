#include "plans/MissedPlans.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/File.h"
#include "tests/support/TempFolderTest.h"
#include "plans/ReminderState.h"

namespace {

class MissedPlansTest : public TempFolderTest {
 protected:
  void Plans(const std::vector<PlanRow>& rows) { ASSERT_EQ(WritePlanFile(rows, PathOf("plan.ini")), 0); }
  // The rows "错过的提醒" lists.
  std::vector<std::string> Missed(const std::optional<MinuteTime>& lastRun, const MinuteTime& now,
                                  const CHolidayCalendar* holidays = nullptr) {
    std::vector<std::string> rows;
    for (const MissedPlan& m : FindMissedPlans(lastRun, now, PathOf("plan.ini"), holidays))
      rows.push_back(MissedRowText(m));
    return rows;
  }
  using V = std::vector<std::string>;
};

TEST_F(MissedPlansTest, PlansOfTheLastSevenDaysSinceTheLastRunOnceEachRepeatsWithTheirCount) {
  // Off from 1 November to Friday 4 December 09:00: seven days back is
  // 27 November 09:00.
  Plans({{"2026-12-04 09:00", "now: the running clock shows it"},
         {"2026-12-02 10:00", "交房租"},
         {"2026-11-27 08:59", "eight days back"},
         {"2026-11-27 09:00", "seven days back"},
         {"2026-11-01 08:00", "吃药", "daily"},
         {"2026-11-02 07:30", "周会", "weekly mon"},
         {"2026-12-04 08:59", "a minute ago-----CR-----LF-----second line"},
         {"2026-12-02 10:00", "交房租"},
         {"2026-12-05 08:00", "tomorrow"},
         {"2026-11-01 06:00", "ended", "daily until 2026-11-20"},
         {"bad time", "never"}});
  const MinuteTime now{2026, 12, 4, 9, 0};
  EXPECT_EQ(Missed(MinuteTime{2026, 11, 1, 8, 0}, now),
            V({"2026-11-27 09:00  seven days back", "2026-11-30 07:30  周会", "2026-12-02 10:00  交房租",
               "2026-12-04 08:00  吃药 (错过 7 次)", "2026-12-04 08:59  a minute ago  second line"}));

  // After a run that ended at 08:00 only the minutes after it count.
  EXPECT_EQ(Missed(MinuteTime{2026, 12, 4, 8, 0}, now), V({"2026-12-04 08:59  a minute ago  second line"}));
  // A first run knows no last run; a clock set back (or a last run in the
  // future) and a restart in the same minute miss nothing.
  EXPECT_EQ(Missed(std::nullopt, now), V());
  EXPECT_EQ(Missed(MinuteTime{2026, 12, 6, 8, 0}, now), V());
  EXPECT_EQ(Missed(now, now), V());
}

TEST_F(MissedPlansTest, WorkdayPlansFollowTheHolidaysOverAHolidayWeek) {
  // Off from Wednesday 30 September to Friday 9 October 2026 09:00: 1-7
  // October are 休 and Saturday 10 October is 班; so the working days
  // missed within seven days back (2 October on) are 8 and 9 October.
  CHolidayCalendar holidays;
  ASSERT_EQ(holidays.Parse("[VALID_THROUGH] 2026-12-31\r\n"
                           "2026-10-01 \xD0\xDD \xB9\xFA\xC7\xEC\r\n"  // 休 国庆 in GBK
                           "2026-10-02 \xD0\xDD \xB9\xFA\xC7\xEC\r\n"
                           "2026-10-05 \xD0\xDD \xB9\xFA\xC7\xEC\r\n"
                           "2026-10-06 \xD0\xDD \xB9\xFA\xC7\xEC\r\n"
                           "2026-10-07 \xD0\xDD \xB9\xFA\xC7\xEC\r\n"
                           "2026-10-10 \xB0\xE0 \xB9\xFA\xC7\xEC\r\n"),
            CHolidayCalendar::kLoaded);
  Plans({{"2026-09-01 08:30", "打卡", "workdays"}});
  EXPECT_EQ(Missed(MinuteTime{2026, 9, 30, 18, 0}, MinuteTime{2026, 10, 9, 9, 0}, &holidays),
            V({"2026-10-09 08:30  打卡 (错过 2 次)"}));
}

TEST_F(MissedPlansTest, TheStateFileKeepsTheLastRunAndSnoozeAndReadsDamageAsUnknown) {
  const std::string path = PathOf("reminder.ini");
  ReminderState s = LoadReminderState(path);
  EXPECT_FALSE(s.lastRun) << "no file: a first run";
  EXPECT_EQ(s.lastSnoozeMinutes, 0);

  ASSERT_TRUE(RememberSnooze(path, 10));
  ASSERT_TRUE(RememberLastRun(path, {2026, 12, 4, 9, 5}));
  std::string bytes;
  ASSERT_TRUE(file::ReadAll(path, bytes));
  EXPECT_EQ(bytes, "[LAST_RUN]\r\n2026-12-04 09:05\r\n[LAST_SNOOZE]\r\n10\r\n");
  ASSERT_TRUE(RememberSnooze(path, 30));
  s = LoadReminderState(path);
  ASSERT_TRUE(s.lastRun);
  EXPECT_EQ(*s.lastRun, (MinuteTime{2026, 12, 4, 9, 5}));
  EXPECT_EQ(s.lastSnoozeMinutes, 30);

  const struct {
    const char* text;
    bool hasRun;
    int snooze;
  } kFiles[] = {
      {"// by hand\r\n [last_run] \r\n\r\n 2026-12-04 09:05 \r\n[LAST_SNOOZE]\r\n5\r\n", true, 5},
      {"[LAST_RUN]\r\n2026-02-30 09:05\r\n[LAST_SNOOZE]\r\n10x\r\n", false, 0},
      {"[LAST_RUN]\r\n2026-12-04 9:05\r\n[LAST_SNOOZE]\r\n-10\r\n", false, 0},
      {"[LAST_RUN]\r\n2026-12-04 24:00\r\n[LAST_SNOOZE]\r\n99999\r\n", false, 0},
      {"[LAST_SNOOZE]\r\n", false, 0},
  };
  for (const auto& f : kFiles) {
    ASSERT_TRUE(file::WriteAtomic(path, f.text));
    s = LoadReminderState(path);
    EXPECT_EQ(s.lastRun.has_value(), f.hasRun) << f.text;
    EXPECT_EQ(s.lastSnoozeMinutes, f.snooze) << f.text;
  }
}

}  // namespace
