#include "plans/ReminderClock.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/TempFolderTest.h"
#include "common/File.h"
#include "plans/PlanQueue.h"

namespace {

class ReminderClockTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    path_ = dir_ + "/plan.ini";
  }

  void Plans(const std::vector<PlanRow>& rows) { ASSERT_EQ(WritePlanFile(rows, path_), 0); }
  // What the frame does once a minute.
  std::vector<std::string> Tick(CReminderClock& clock, const MinuteTime& now) {
    std::vector<std::string> shown;
    for (const PlanRecord& plan : clock.Poll(now, path_)) shown.push_back(plan.content);
    return shown;
  }

  std::string path_;
  using V = std::vector<std::string>;
};

TEST_F(ReminderClockTest, PlansComeInTheirMinuteOnceAndOldOnesAreNotReplayed) {
  Plans({{"2012-05-28 14:50", "before start"},
         {"2012-05-28 14:55", "at start"},
         {"2012-05-28 14:57", "a"},
         {"2012-05-28 14:57", "b"},
         {"2012-05-28 15:00", "later"}});
  CReminderClock clock({2012, 5, 28, 14, 55});
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 14, 55}), V({"at start"}));
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 14, 55}), V());
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 14, 56}), V());
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 14, 57}), V({"a", "b"}));
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 14, 58}), V());
  // A late timer skips 14:59 and 15:00 and still brings the plan.
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 15, 1}), V({"later"}));
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 15, 2}), V());
}

TEST_F(ReminderClockTest, APlanAddedForTheCurrentMinuteAfterThePollStillComes) {
  Plans({{"2012-05-28 15:00", "x"}});
  CReminderClock clock({2012, 5, 28, 14, 55});
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 14, 56}), V());
  Plans({{"2012-05-28 14:56", "added"}, {"2012-05-28 15:00", "x"}});
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 14, 57}), V({"added"}));
  // A changed content is another plan.
  Plans({{"2012-05-28 14:56", "added"}, {"2012-05-28 14:57", "edited"}});
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 14, 57}), V({"edited"}));
}

TEST_F(ReminderClockTest, PlansOfSkippedMinutesComeTogetherInTimeOrder) {
  std::vector<PlanRow> rows;
  for (int i = 13; i >= 0; --i) rows.push_back({FormatTimeText({2012, 5, 28, 9, i}), std::to_string(i)});
  Plans(rows);
  CReminderClock clock({2012, 5, 28, 9, 0});
  // The machine slept from 09:00 to 10:00 with the program running.
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 10, 0}),
            V({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13"}));
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 10, 1}), V());
}

TEST_F(ReminderClockTest, EveryPlanComesInItsMinuteWhereverItStandsInAnUnsortedFile) {
  // A file edited by hand: thirty later plans first, the due ones behind
  // and among them, out of time order.
  std::vector<PlanRow> rows;
  for (int i = 0; i < 30; ++i)
    rows.push_back({FormatTimeText({2031, 1, 1 + i % 28, 8, i}), "later " + std::to_string(i)});
  rows.insert(rows.begin() + 12, {"2012-05-28 09:02", "b"});
  rows.push_back({"2012-05-28 09:01", "a"});
  rows.push_back({"2012-05-28 08:59", "passed"});
  rows.push_back({"2012-05-28 09:02", "c"});
  Plans(rows);
  CReminderClock clock({2012, 5, 28, 9, 0});
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 9, 0}), V());
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 9, 1}), V({"a"}));
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 9, 2}), V({"b", "c"}));
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 9, 3}), V());
  // The tray's queue is still the first ten upcoming records in file order.
  CPlanQueue queue;
  ASSERT_EQ(queue.LoadUpcoming({2012, 5, 28, 9, 0}, path_), CPlanQueue::kCapacity);
  EXPECT_EQ(queue.At(0).content, "later 0");
  EXPECT_EQ(queue.At(9).content, "later 9");
}

TEST_F(ReminderClockTest, AClockSetBackShowsNothingTwice) {
  Plans({{"2012-05-28 15:00", "x"}, {"2012-05-28 16:00", "y"}});
  CReminderClock clock({2012, 5, 28, 14, 0});
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 15, 30}), V({"x"}));
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 14, 30}), V());
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 15, 0}), V());
  EXPECT_EQ(Tick(clock, {2012, 5, 28, 16, 0}), V({"y"}));
}

TEST_F(ReminderClockTest, TheTimerSleepsToTheNextDuePlanAtMostThreeHoursAndNotPastMidnight) {
  Plans({{"2012-05-28 14:57", "a"}, {"2012-05-28 15:00", "b"}, {"2012-05-01 08:00", "daily", "daily"},
         {"2012-05-28 14:56", "passed"}});
  CReminderClock clock({2012, 5, 28, 14, 55});
  auto next = [&](const MinuteTime& now) {
    clock.Poll(now, path_);
    return clock.NextDue() ? FormatTimeText(*clock.NextDue()) : std::string("none");
  };
  EXPECT_EQ(next({2012, 5, 28, 14, 55}), "2012-05-28 14:56");
  EXPECT_EQ(next({2012, 5, 28, 14, 56}), "2012-05-28 14:57");
  EXPECT_EQ(next({2012, 5, 28, 14, 57}), "2012-05-28 15:00");
  EXPECT_EQ(next({2012, 5, 28, 15, 0}), "2012-05-29 08:00") << "the daily plan's next day";
  Plans({{"2012-05-28 15:00", "b"}});
  EXPECT_EQ(next({2012, 5, 28, 15, 0}), "none");

  EXPECT_EQ(ReminderWaitMinutes({2012, 5, 28, 14, 55}, MinuteTime{2012, 5, 28, 14, 57}), 2);
  EXPECT_EQ(ReminderWaitMinutes({2012, 5, 28, 14, 55}, MinuteTime{2012, 5, 28, 14, 56}), 1);
  // No plan ahead, or one next year: three hours, or the day change if sooner.
  EXPECT_EQ(ReminderWaitMinutes({2012, 5, 28, 14, 55}, std::nullopt), 180);
  EXPECT_EQ(ReminderWaitMinutes({2012, 5, 28, 14, 55}, MinuteTime{2012, 5, 28, 18, 0}), 180);
  EXPECT_EQ(ReminderWaitMinutes({2012, 5, 28, 22, 30}, MinuteTime{2013, 1, 1, 0, 0}), 90);
  EXPECT_EQ(ReminderWaitMinutes({2012, 12, 31, 23, 59}, MinuteTime{2013, 1, 1, 0, 0}), 1);
  // A due time that is not ahead (a clock set forward meanwhile) polls at the next turn.
  EXPECT_EQ(ReminderWaitMinutes({2012, 5, 28, 14, 55}, MinuteTime{2012, 5, 28, 14, 0}), 1);
}

}  // namespace
