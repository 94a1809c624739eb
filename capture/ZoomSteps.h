// The zoom levels of the picture editor and of pins, one wheel notch apart.
#pragma once

namespace zoom_steps {

constexpr double kMin = 0.1;
constexpr double kMax = 8.0;

// The level notches steps away from zoom (up for positive steps), held to
// kMin..kMax. A zoom between two levels goes to the next level in the
// direction asked.
double Next(double zoom, int steps);

// "150%"
int Percent(double zoom);

}  // namespace zoom_steps
