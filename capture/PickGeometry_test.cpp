#include "capture/PickGeometry.h"

#include <gtest/gtest.h>

namespace {

TEST(PickGeometry, WindowIsClippedThenInsetByOne) {
  WindowPickRects p = WindowPick(Rect{100, 50, 500, 400}, 1280, 800);
  EXPECT_EQ(p.outer, (Rect{100, 50, 500, 400}));
  EXPECT_EQ(p.pick, (Rect{101, 51, 499, 399}));
  // A maximised window reaches past the screen by its borders.
  p = WindowPick(Rect{-8, -8, 1288, 808}, 1280, 800);
  EXPECT_EQ(p.outer, (Rect{0, 0, 1280, 800}));
  EXPECT_EQ(p.pick, (Rect{1, 1, 1279, 799}));
  // Too small for the inset: an empty pick, never a negative size.
  p = WindowPick(Rect{10, 10, 11, 40}, 1280, 800);
  EXPECT_EQ(p.pick.Width(), 0);
  EXPECT_EQ(p.pick.Height(), 28);
}

TEST(PickGeometry, RegionIsNormalisedAndClipped) {
  EXPECT_EQ(RegionPick(300, 200, 100, 50, 1280, 800), (Rect{100, 50, 300, 200}));
  EXPECT_EQ(RegionPick(100, 50, 300, 200, 1280, 800), (Rect{100, 50, 300, 200}));
  EXPECT_EQ(RegionPick(-20, 700, 1300, 900, 1280, 800), (Rect{0, 700, 1280, 800}));
  Rect line = RegionPick(40, 10, 40, 90, 1280, 800);  // both points on one vertical line
  EXPECT_EQ(line.Width(), 0);
  EXPECT_EQ(line.Height(), 80);
  Rect off = RegionPick(1400, 10, 1500, 20, 1280, 800);  // wholly right of the screen
  EXPECT_EQ(off.Width(), 0);
  EXPECT_EQ(FrameEraseRect(Rect{10, 10, 20, 20}), (Rect{8, 8, 22, 22}));
  // A virtual screen with a monitor left of and above the primary one: a
  // region across the seam keeps its negative corner, and is held to the
  // area's far sides.
  const Rect area{-1280, -200, 1920, 1080};
  EXPECT_EQ(RegionPick(-300, -150, 200, 100, area), (Rect{-300, -150, 200, 100}));
  EXPECT_EQ(RegionPick(-1500, 1000, 2000, -400, area), (Rect{-1280, -200, 1920, 1000}));
  WindowPickRects w = WindowPick(Rect{-1288, -8, 8, 400}, area);
  EXPECT_EQ(w.outer, (Rect{-1280, -8, 8, 400}));
  EXPECT_EQ(w.pick, (Rect{-1279, -7, 7, 399}));
}

TEST(PickGeometry, PromptJumpsBetweenTheTopCorners) {
  const int W = 1280;
  Rect left{20, 20, 335, 160};
  // Far below the prompt: no move.
  EXPECT_FALSE(AvoidCursor(left, 100, 170, W).move);
  // In the band but right of the prompt by 30 or more: no move.
  EXPECT_FALSE(AvoidCursor(left, 365, 100, W).move);
  PromptMove m = AvoidCursor(left, 364, 100, W);
  ASSERT_TRUE(m.move);
  Rect right{left.left + m.dx, left.top, left.right + m.dx, left.bottom};
  EXPECT_EQ(right.right, W - 20);
  // At the right: moves back when the cursor comes within 30 pixels of its left edge.
  EXPECT_FALSE(AvoidCursor(right, right.left - 30, 100, W).move);
  m = AvoidCursor(right, right.left - 29, 100, W);
  ASSERT_TRUE(m.move);
  EXPECT_EQ(right.left + m.dx, 20);
}

TEST(PickGeometry, PromptTexts) {
  EXPECT_EQ(WindowPickPrompt(Rect{1, 2, 301, 402}),
            "\r\n截取指定窗口\r\n位置 左:1, 上:2, 宽:300, 高:400\r\n\r\n按鼠标左键确定截屏\r\n按ESC或鼠标右键退出截屏");
  EXPECT_EQ(RegionPickPrompt(Rect{0, 700, 1280, 800}),
            "\r\n截取指定区域\r\n位置 左:0, 上:700, 宽:1280, 高:100\r\n\r\n按鼠标左键确定区域第一点和第二点\r\n"
            "按鼠标右键取消区域第一点和第二点\r\n按ESC退出截屏");
}

}  // namespace
