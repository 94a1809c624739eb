// The reminder prompt's skin buttons: hit testing, hover, press and release,
// radio buttons and disabled ones.
#include "plans/PromptButtonSet.h"

#include <gtest/gtest.h>

namespace {

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
