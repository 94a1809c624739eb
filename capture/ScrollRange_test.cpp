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
  EXPECT_EQ(NextScrollPos(kLineDown, 5, 0, 280), 6);
  EXPECT_EQ(NextScrollPos(kLineDown, 280, 0, 280), 280);
  EXPECT_EQ(NextScrollPos(kLineUp, 5, 0, 280), 4);
  EXPECT_EQ(NextScrollPos(kLineUp, 0, 0, 280), 0);
  EXPECT_EQ(NextScrollPos(kPageDown, 5, 0, 280), 15);
  EXPECT_EQ(NextScrollPos(kPageDown, 275, 0, 280), 280);
  EXPECT_EQ(NextScrollPos(kPageUp, 25, 0, 280), 15);
  EXPECT_EQ(NextScrollPos(kPageUp, 4, 0, 280), 0);
  EXPECT_EQ(NextScrollPos(kThumbPosition, 5, 120, 280), 120);
  EXPECT_EQ(NextScrollPos(kThumbPosition, 5, 999, 280), 280);
  EXPECT_EQ(NextScrollPos(kThumbTrack, 5, 120, 280), 5);
  EXPECT_EQ(NextScrollPos(kTop, 50, 0, 280), 0);
  EXPECT_EQ(NextScrollPos(kBottom, 50, 0, 280), 280);
  EXPECT_EQ(NextScrollPos(8, 50, 0, 280), 50);  // end of scrolling
  EXPECT_EQ(NextScrollPos(kPageDown, 0, 0, 0), 0);  // no range
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
