#include "plans/PromptState.h"

#include <gtest/gtest.h>


namespace {

TEST(PromptState, SlidesUpInSixStepsFromTheLowerRightCorner) {
  CPromptState prompt;
  prompt.PlaceOnScreen(1024, 768);
  EXPECT_FALSE(prompt.FaceShown());
  prompt.SetPlan(PlanRecord{{2012, 5, 28, 14, 55}, "Meeting"});
  EXPECT_EQ(prompt.Height(), 0);
  int steps = 0;
  while (!prompt.Slide()) ++steps;
  EXPECT_EQ(steps + 1, 6);
  EXPECT_EQ(prompt.WindowRect(), (Rect{700, 556, 1000, 736}));  // x 700-999, y 556-735
  EXPECT_TRUE(prompt.Slide());
  EXPECT_EQ(prompt.Height(), 180);
}

TEST(PromptState, FaceTextsWithAndWithoutAPlan) {
  CPromptState prompt;
  prompt.SetPlan(PlanRecord{{2012, 5, 28, 14, 55}, "Meeting"});
  EXPECT_EQ(prompt.TimeLine(), "2012年05月28日 14小时55分");
  EXPECT_EQ(prompt.Text(), "Meeting");
  EXPECT_FALSE(prompt.TextIsRed());
  EXPECT_EQ(CPromptState::TextRect(300, 180), (Rect{80, 46, 300, 180}));

  prompt.SetPlan(std::nullopt);
  EXPECT_EQ(prompt.TimeLine(), "");
  EXPECT_EQ(prompt.Text(), "暂无下一个计划");
  EXPECT_TRUE(prompt.TextIsRed());

  EXPECT_TRUE(CPromptState::IsDragPoint(199, 24));
  EXPECT_FALSE(CPromptState::IsDragPoint(200, 10));
  EXPECT_FALSE(CPromptState::IsDragPoint(10, 25));
}

TEST(PromptState, SnoozeListAndTheEndOfASnooze) {
  EXPECT_STREQ(CPromptState::SnoozeEntryText(0), "我知道了");
  EXPECT_STREQ(CPromptState::SnoozeEntryText(2), "10分钟后再次提示");
  EXPECT_STREQ(CPromptState::SnoozeEntryText(5), "2小时后再次提示");
  EXPECT_EQ(CPromptState::ConfirmDelayMs(0), 0);
  EXPECT_EQ(CPromptState::ConfirmDelayMs(-1), 0);  // no selection closes
  EXPECT_EQ(CPromptState::ConfirmDelayMs(1), 300000);
  EXPECT_EQ(CPromptState::ConfirmDelayMs(2), 600000);
  EXPECT_EQ(CPromptState::ConfirmDelayMs(4), 3600000);
  EXPECT_EQ(CPromptState::ConfirmDelayMs(5), 7200000);
  // The snooze remembered in minutes finds its entry again; others none.
  EXPECT_EQ(CPromptState::SnoozeEntryOf(30), 3);
  EXPECT_EQ(CPromptState::SnoozeEntryOf(120), 5);
  EXPECT_EQ(CPromptState::SnoozeEntryOf(0), 0);
  EXPECT_EQ(CPromptState::SnoozeEntryOf(7), 0);

  CPromptState prompt;
  prompt.PlaceOnScreen(1024, 768);
  prompt.SetPlan(PlanRecord{{2012, 5, 28, 14, 55}, "Meeting"});
  while (!prompt.Slide()) {
  }
  prompt.SnoozeEnded();
  EXPECT_EQ(prompt.Height(), 0);
  EXPECT_EQ(prompt.Text(), "Meeting");  // the snoozed plan comes back
  EXPECT_EQ(prompt.TimeLine(), "2012年05月28日 14小时55分");
}

}  // namespace
