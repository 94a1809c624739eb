#include "capture/ZoomSteps.h"

#include <cmath>

namespace zoom_steps {
namespace {
const double kLevels[] = {0.1, 0.15, 0.2, 0.25, 0.33, 0.5, 0.67, 0.75, 0.9, 1.0, 1.1,
                          1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0};
constexpr int kCount = sizeof kLevels / sizeof kLevels[0];
constexpr double kSame = 1e-6;
}  // namespace

double Next(double zoom, int steps) {
  for (; steps > 0; --steps) {
    int i = 0;
    while (i < kCount - 1 && kLevels[i] <= zoom + kSame) ++i;
    zoom = kLevels[i] > zoom + kSame ? kLevels[i] : kMax;
  }
  for (; steps < 0; ++steps) {
    int i = kCount - 1;
    while (i > 0 && kLevels[i] >= zoom - kSame) --i;
    zoom = kLevels[i] < zoom - kSame ? kLevels[i] : kMin;
  }
  return zoom < kMin ? kMin : (zoom > kMax ? kMax : zoom);
}

int Percent(double zoom) { return static_cast<int>(std::lround(zoom * 100)); }

}  // namespace zoom_steps
