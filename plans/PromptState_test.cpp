#include "plans/PromptState.h"

#include <gtest/gtest.h>

#include "plans/PromptButtonSet.h"

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

CPromptButtonSet TwoButtons() {
  CPromptButtonSet set;
  PromptSkinButton ok;
  ok.x = 220, ok.y = 150, ok.width = 70, ok.height = 22;
  PromptSkinButton radio;
  radio.x = 260, radio.y = 140, radio.width = 20, radio.height = 20, radio.radio = 1;
  set.Add(ok);
  set.Add(radio);
  return set;
}

TEST(PromptButtonSet, HitTestPrefersLaterButtonsAndCapsAtTen) {
  CPromptButtonSet set = TwoButtons();
  EXPECT_EQ(set.HitTest(221, 151), 0);
  EXPECT_EQ(set.HitTest(265, 155), 1);  // overlap: the later one
  EXPECT_EQ(set.HitTest(290, 160), -1);  // right edge excluded
  EXPECT_EQ(set.HitTest(10, 10), -1);
  for (int i = 2; i < 10; ++i) EXPECT_TRUE(set.Add(PromptSkinButton{}));
  EXPECT_FALSE(set.Add(PromptSkinButton{}));
  EXPECT_EQ(set.Count(), 10);
}

TEST(PromptButtonSet, HoverPressAndReleaseClickOnce) {
  CPromptButtonSet set = TwoButtons();
  auto fx = set.MouseMove(230, 160);
  EXPECT_TRUE(fx.repaint);
  EXPECT_EQ(set.At(0).state, CPromptButtonSet::kHovered);
  EXPECT_EQ(set.FrameLeft(0), 70);
  EXPECT_FALSE(set.MouseMove(231, 160).repaint);  // same button: nothing

  fx = set.ButtonDown(230, 160);
  EXPECT_EQ(set.At(0).state, CPromptButtonSet::kPressed);
  EXPECT_EQ(fx.clicked, -1);
  fx = set.ButtonUp(230, 160);
  EXPECT_EQ(fx.clicked, 0);
  EXPECT_EQ(set.At(0).state, CPromptButtonSet::kNormal);

  // A release without a press on the button clicks nothing.
  set.MouseMove(230, 160);
  EXPECT_EQ(set.ButtonUp(230, 160).clicked, -1);
  // Pressed, dragged off and released elsewhere: no click.
  set.ButtonDown(230, 160);
  fx = set.MouseMove(10, 10);
  EXPECT_TRUE(fx.repaint);
  EXPECT_EQ(set.At(0).state, CPromptButtonSet::kNormal);
  EXPECT_EQ(set.ButtonUp(10, 10).clicked, -1);
}

TEST(PromptButtonSet, RadioButtonsActOnPressAndDisabledOnesNever) {
  CPromptButtonSet set = TwoButtons();
  auto fx = set.ButtonDown(270, 145);
  EXPECT_EQ(fx.clicked, 1);
  EXPECT_EQ(set.At(1).state, CPromptButtonSet::kSelected);
  EXPECT_EQ(set.ButtonUp(270, 145).clicked, -1);
  set.MouseMove(270, 145);
  EXPECT_EQ(set.At(1).state, CPromptButtonSet::kSelected);  // hovering keeps it selected

  CPromptButtonSet disabled;
  PromptSkinButton off;
  off.state = CPromptButtonSet::kDisabled;
  disabled.Add(off);
  EXPECT_FALSE(disabled.ButtonDown(5, 5).repaint);
  EXPECT_EQ(disabled.ButtonUp(5, 5).clicked, -1);
  EXPECT_EQ(disabled.At(0).state, CPromptButtonSet::kDisabled);
}

}  // namespace
