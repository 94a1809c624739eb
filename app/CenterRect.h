// "data\infotool.dat": the management center's window rectangle, 16 bytes,
// four little-endian signed 32-bit integers left, top, right, bottom in
// screen coordinates. No header, no version.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/Rect.h"

namespace center_rect {

constexpr char kPath[] = "data\\infotool.dat";
constexpr size_t kFileBytes = 16;
// left, top, right, bottom at 0, 4, 8, 12, whatever the build's pointer width.
constexpr size_t kFieldBytes = 4;
static_assert(kFileBytes == 4 * kFieldBytes);

// A column at the right edge of the primary screen, clear of the task bar.
Rect Default(int screenWidth, int screenHeight);

std::string Encode(const Rect& r);
// Bytes over base: a shorter record replaces only the bytes it holds, extra
// bytes are ignored.
Rect Decode(std::string_view bytes, const Rect& base);

// True when the user can reach the window: it has a size and its caption
// (the top band) lies on one of the monitors far enough to be dragged.
bool Reachable(const Rect& r, const std::vector<Rect>& monitors);

// The rectangle to open with: the file over the default rectangle; the
// default when the file is missing or its rectangle is out of reach (a
// monitor was removed or the resolution changed).
Rect Load(const std::string& path, int screenWidth, int screenHeight, const std::vector<Rect>& monitors);

// Writes the 16 bytes whole (temporary file and rename); false on failure.
bool Save(const std::string& path, const Rect& r);

}  // namespace center_rect
