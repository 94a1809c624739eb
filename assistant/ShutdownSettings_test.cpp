// When the shutdown countdown opens and how long the watch sleeps, from the
// stored time.
#include "assistant/ShutdownSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(ShutdownScheduleTest, OpensAtTheStoredMinuteOncePerDay) {
  ShutdownSettings at2205{1, 22, 5, 0};
  ShutdownSettings at2207{1, 22, 7, 0};
  ShutdownSettings atMidnight{1, 0, 0, 0};
  ShutdownSettings off{0, -1, 5, 0};
  struct Step {
    const ShutdownSettings* settings;
    LocalMinute now;
    bool due;
  } steps[] = {
      {&at2205, {2026, 12, 7, 22, 4}, false},
      {&off, {2026, 12, 7, 22, 5}, false},     // not armed
      {&at2205, {2026, 12, 7, 22, 5}, true},
      {&at2205, {2026, 12, 7, 22, 5}, false},  // the same minute checked again (the same time saved again)
      {&at2205, {2026, 12, 7, 22, 6}, false},
      {&at2205, {2026, 12, 7, 22, 5}, false},  // clock set back: that minute of the day is used (also by a cancel)
      {&at2207, {2026, 12, 7, 22, 7}, true},   // a new time saved after a cancelled countdown comes that day
      {&at2207, {2026, 12, 7, 22, 7}, false},
      {&atMidnight, {2026, 12, 7, 23, 59}, false},
      {&atMidnight, {2026, 12, 8, 0, 0}, true},  // midnight starts a new day
      {&at2205, {2026, 12, 8, 22, 5}, true},
      {&at2205, {2026, 12, 8, 22, 5}, false},
      {&at2205, {2026, 12, 9, 22, 5}, true},
  };
  CShutdownSchedule schedule;
  for (const Step& s : steps)
    EXPECT_EQ(schedule.Due(*s.settings, s.now), s.due)
        << s.settings->hour << ":" << s.settings->minute << " on " << s.now.day << " at " << s.now.hour << ":"
        << s.now.minute;
}

TEST(ShutdownScheduleTest, TheWatchSleepsToTheStoredMinuteAndWithoutOneForGood) {
  const LocalMinute at2205{2026, 12, 7, 22, 5};
  EXPECT_EQ(CShutdownSchedule::MinutesToNext({1, 22, 7, 0}, at2205), 2);
  EXPECT_EQ(CShutdownSchedule::MinutesToNext({1, 22, 5, 0}, at2205), 24 * 60) << "used now: tomorrow";
  EXPECT_EQ(CShutdownSchedule::MinutesToNext({1, 22, 4, 0}, at2205), 24 * 60 - 1);
  EXPECT_EQ(CShutdownSchedule::MinutesToNext({1, 0, 0, 0}, at2205), 115);
  EXPECT_EQ(CShutdownSchedule::MinutesToNext({0, -1, 5, 0}, at2205), 0);
  EXPECT_EQ(CShutdownSchedule::MinutesToNext({1, 25, 0, 0}, at2205), 0) << "a time no day has";
}

}  // namespace
