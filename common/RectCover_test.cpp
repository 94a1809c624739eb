#include "common/RectCover.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<Rect> Cover(const std::vector<Rect>& inputs) {
  CRectCover c;
  for (const Rect& r : inputs) EXPECT_EQ(c.Push(r.left, r.top, r.Width(), r.Height()), 0);
  c.Compute();
  int count = -1;
  const Rect* cover = c.GetCover(&count);
  return std::vector<Rect>(cover, cover + count);
}

long long Area(const std::vector<Rect>& rects) {
  long long a = 0;
  for (const Rect& r : rects) a += static_cast<long long>(r.Width()) * r.Height();
  return a;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(RectCover, OneHoleGivesFourRectanglesInColumnOrder) {
  std::vector<Rect> expected = {{0, 0, 10, 100}, {10, 0, 90, 10}, {10, 30, 90, 100}, {90, 0, 100, 100}};
  EXPECT_EQ(Cover({{0, 0, 100, 100}, {10, 10, 90, 30}}), expected);
}

TEST(RectCover, AreaWithoutHolesAndEmptyCases) {
  EXPECT_EQ(Cover({{5, 6, 50, 60}}), (std::vector<Rect>{{5, 6, 50, 60}}));
  EXPECT_TRUE(Cover({{0, 0, 0, 0}}).empty());
  EXPECT_TRUE(Cover({{0, 0, 100, 0}, {10, 0, 20, 0}}).empty());
  EXPECT_TRUE(Cover({{0, 0, 100, 100}, {0, 0, 100, 100}}).empty());
  EXPECT_TRUE(Cover({{0, 0, 100, 100}, {-5, -5, 120, 130}}).empty());
  EXPECT_TRUE(Cover({}).empty());
}

TEST(RectCover, EleventhPushIsRefusedAndChangesNothing) {
  CRectCover c;
  EXPECT_EQ(c.Push(0, 0, 1000, 1000), 0);
  for (int i = 1; i < 10; ++i) EXPECT_EQ(c.Push(i * 20, 0, 10, 10), 0);
  EXPECT_EQ(c.Push(0, 0, 1000, 1000), 1);  // would hide everything
  c.Compute();
  EXPECT_GT(c.CoverCount(), 0);
  int count = 0;
  const Rect* cover = c.GetCover(&count);
  EXPECT_EQ(Area(std::vector<Rect>(cover, cover + count)), 1000 * 1000 - 9 * 100);

  c.Clear();
  EXPECT_EQ(c.Push(0, 0, 10, 10), 0);
  c.Compute();
  EXPECT_EQ(c.CoverCount(), 1);
}

TEST(RectCover, HoleBeyondTheAreaKeepsGridCellsOutsideIt) {
  // The hole sticks out 20 pixels to the right; the grid then reaches x = 120
  // and the cells beside the hole but outside the area stay.
  std::vector<Rect> cover = Cover({{0, 0, 100, 100}, {50, 40, 120, 60}});
  EXPECT_EQ(cover, (std::vector<Rect>{{0, 0, 50, 100}, {50, 0, 120, 40}, {50, 60, 120, 100}}));
}

TEST(RectCover, CoverIsDisjointAndExactWithManyHoles) {
  // Result window layout: client, image view, four buttons; two buttons share an edge.
  std::vector<Rect> inputs = {{0, 0, 800, 600}, {2, 60, 796, 596}, {10, 5, 95, 25},
                              {95, 5, 180, 25}, {200, 5, 285, 25}, {300, 5, 385, 25}};
  std::vector<Rect> cover = Cover(inputs);
  for (size_t i = 0; i < cover.size(); ++i) {
    for (size_t j = i + 1; j < cover.size(); ++j) EXPECT_FALSE(Overlap(cover[i], cover[j])) << i << " " << j;
    for (size_t h = 1; h < inputs.size(); ++h) EXPECT_FALSE(Overlap(cover[i], inputs[h]));
  }
  long long holes = 0;
  for (size_t h = 1; h < inputs.size(); ++h) holes += Area({inputs[h]});
  EXPECT_EQ(Area(cover), 800LL * 600 - holes);  // no sliver left between the touching buttons
  // Above both touching buttons one strip spans them.
  EXPECT_NE(std::find(cover.begin(), cover.end(), Rect{10, 0, 180, 5}), cover.end());
}

}  // namespace
