#include "capture/LoupeGeometry.h"

#include <gtest/gtest.h>

namespace {

using namespace loupe;

TEST(LoupeGeometry, BesideThePointerFlippedAtTheEdgesAndClearOfThePrompt) {
  const Rect monitor{0, 0, 1280, 800};
  const Rect prompt{20, 20, 335, 160};
  const int w = 138, h = 180, gap = 20;
  const struct {
    int x, y;
    bool right, below;
  } cases[] = {
      {640, 400, true, true},   {1270, 400, false, true}, {640, 790, true, false}, {1279, 799, false, false},
      {0, 0, true, true},       {1279, 0, false, true},   {0, 799, true, false},   {100, 40, true, true},
      {200, 30, true, true},    {180, 10, true, true},
  };
  for (const auto& c : cases) {
    const Rect r = Place(c.x, c.y, w, h, monitor, prompt, gap);
    EXPECT_EQ(r.Width(), w);
    EXPECT_EQ(r.Height(), h);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= 1280 && r.bottom <= 800) << c.x << "," << c.y;
    EXPECT_FALSE(c.x >= r.left && c.x < r.right && c.y >= r.top && c.y < r.bottom) << "under the pointer";
    EXPECT_EQ(r.left > c.x, c.right) << c.x << "," << c.y;
    EXPECT_EQ(r.top > c.y, c.below) << c.x << "," << c.y;
  }
  // Where the prompt stands right of and below the pointer, the loupe
  // goes to its left.
  const Rect r = Place(640, 400, w, h, monitor, Rect{650, 410, 900, 700}, gap);
  EXPECT_EQ(r, (Rect{640 - gap - w, 421, 640 - gap, 421 + h}));
  // On a monitor left of the primary (negative coordinates).
  const Rect left = Place(-5, 500, w, h, Rect{-1920, 0, 0, 1080}, Rect{}, gap);
  EXPECT_LT(left.right, -5);
  // A monitor smaller than the loupe: still not under the pointer.
  const Rect tiny = Place(50, 50, w, h, Rect{0, 0, 100, 100}, Rect{}, gap);
  EXPECT_FALSE(50 >= tiny.left && 50 < tiny.right && 50 >= tiny.top && 50 < tiny.bottom);
}

TEST(LoupeGeometry, SourceColourTextsAndWhatAMoveUncovers) {
  EXPECT_EQ(SourceRect(100, 7), (Rect{92, -1, 109, 16}));
  EXPECT_EQ(HexText(0x0A0BFF), "#0A0BFF");
  EXPECT_EQ(TripleText(0x0A0BFF), "10,11,255");
  EXPECT_EQ(HexText(0), "#000000");
  const std::vector<Rect> parts = Subtract(Rect{0, 0, 100, 100}, Rect{30, 40, 200, 60});
  const std::vector<Rect> expected{{0, 0, 100, 40}, {0, 60, 100, 100}, {0, 40, 30, 60}};
  EXPECT_EQ(parts, expected);
  EXPECT_TRUE(Subtract(Rect{10, 10, 20, 20}, Rect{0, 0, 50, 50}).empty());
  EXPECT_EQ(Subtract(Rect{10, 10, 20, 20}, Rect{30, 30, 50, 50}).size(), 1u);
}

}  // namespace
