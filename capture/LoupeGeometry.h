// The magnifier of the picking windows: 17 x 17 pixels around the pointer
// at 8x, beside the pointer and never under it, with the pointer's position
// and the colour under it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/Rect.h"

namespace loupe {

constexpr int kCells = 17;  // pixels a side, the pointer's in the middle
constexpr int kScale = 8;
constexpr int kZoomSide = kCells * kScale;

// The pixels shown around the pointer (px, py).
Rect SourceRect(int px, int py);

// Where a loupe of width x height goes for the pointer: gap pixels below
// and right of it, or flipped to its left or above it where the monitor
// ends, keeping clear of avoid (the prompt window) when it can. Never
// under the pointer; inside the monitor whenever it fits there.
Rect Place(int px, int py, int width, int height, const Rect& monitor, const Rect& avoid, int gap);

// "#RRGGBB" and "R,G,B" of a colour 0xRRGGBB.
std::string HexText(uint32_t rgb);
std::string TripleText(uint32_t rgb);

// The parts of a outside b (at most four rectangles).
std::vector<Rect> Subtract(const Rect& a, const Rect& b);

}  // namespace loupe
