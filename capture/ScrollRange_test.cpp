#include "capture/ScrollRange.h"

#include <gtest/gtest.h>

namespace {

using namespace scrollcode;

TEST(ScrollRange, RangeIsWhatThePictureExceedsTheClientBy) {
  EXPECT_EQ(ScrollRangeMax(1280, 1000), 280);
  EXPECT_EQ(ScrollRangeMax(300, 1000), 0);
  EXPECT_EQ(ScrollRangeMax(1000, 1000), 0);
}

TEST(ScrollRange, StepsAreClampedToTheRange) {
  struct Step {
    int code, pos, track, max, expected;
  } steps[] = {
      {kLineDown, 5, 0, 280, 6},          {kLineDown, 280, 0, 280, 280}, {kLineUp, 5, 0, 280, 4},
      {kLineUp, 0, 0, 280, 0},            {kPageDown, 5, 0, 280, 15},    {kPageDown, 275, 0, 280, 280},
      {kPageUp, 25, 0, 280, 15},          {kPageUp, 4, 0, 280, 0},       {kThumbPosition, 5, 120, 280, 120},
      {kThumbPosition, 5, 999, 280, 280}, {kThumbTrack, 5, 120, 280, 5}, {kTop, 50, 0, 280, 0},
      {kBottom, 50, 0, 280, 280},
      {8, 50, 0, 280, 50},     // end of scrolling
      {kPageDown, 0, 0, 0, 0},  // no range
  };
  for (const Step& t : steps)
    EXPECT_EQ(NextScrollPos(t.code, t.pos, t.track, t.max), t.expected) << t.code << " from " << t.pos;
}

TEST(ScrollRange, SmallerPictureIsDrawnAtTheOriginWithBlackStrips) {
  ImageViewBlit b = LayoutImageView(300, 200, 800, 600, 7, 9);
  EXPECT_EQ(b.srcX, 0);
  EXPECT_EQ(b.srcY, 0);
  ASSERT_TRUE(b.blackRight);
  EXPECT_EQ(b.right, (Rect{300, 0, 800, 600}));
  ASSERT_TRUE(b.blackBelow);
  EXPECT_EQ(b.below, (Rect{0, 200, 800, 600}));

  // Wider than the client: only the vertical axis keeps its black strip.
  b = LayoutImageView(1280, 200, 800, 600, 40, 0);
  EXPECT_EQ(b.srcX, 40);
  EXPECT_FALSE(b.blackRight);
  EXPECT_TRUE(b.blackBelow);

  b = LayoutImageView(800, 600, 800, 600, 0, 0);
  EXPECT_FALSE(b.blackRight);
  EXPECT_FALSE(b.blackBelow);
}

}  // namespace
