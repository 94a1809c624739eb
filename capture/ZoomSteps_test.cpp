#include "capture/ZoomSteps.h"

#include <gtest/gtest.h>

namespace {

TEST(ZoomSteps, NotchesWalkTheLevelsAndStopAtTheEnds) {
  const struct {
    double from;
    int steps;
    double to;
  } cases[] = {
      {1.0, 1, 1.1},   {1.0, -1, 0.9},  {1.0, 3, 1.5},  {1.0, -4, 0.5}, {0.1, -1, 0.1},  {8.0, 1, 8.0},
      {0.15, -5, 0.1}, {7.0, 4, 8.0},   {1.3, 1, 1.5},  {1.3, -1, 1.25}, {0.12, 1, 0.15}, {0.05, 0, 0.1},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(zoom_steps::Next(c.from, c.steps), c.to) << c.from << " " << c.steps;
  EXPECT_EQ(zoom_steps::Percent(0.33), 33);
}

}  // namespace
