#include "app/CenterRect.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "common/File.h"

namespace center_rect {
namespace {

// The part of the caption that must stay on a monitor: enough to grab it.
constexpr int kGrabWidth = 40;
constexpr int kGrabHeight = 20;
// Window sizes beyond this are garbage: window coordinates are 16-bit in places.
constexpr int64_t kMaxSide = 32767;

void PutInt(std::string& out, int32_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) out += static_cast<char>((u >> (8 * i)) & 0xFF);
}

}  // namespace

Rect Default(int screenWidth, int screenHeight) {
  return Rect{screenWidth - 205, 5, screenWidth - 5, screenHeight - 46};
}

std::string Encode(const Rect& r) {
  std::string out;
  PutInt(out, r.left);
  PutInt(out, r.top);
  PutInt(out, r.right);
  PutInt(out, r.bottom);
  return out;
}

Rect Decode(std::string_view bytes, const Rect& base) {
  unsigned char raw[kFileBytes];
  std::string encoded = Encode(base);
  std::copy(encoded.begin(), encoded.end(), raw);
  size_t n = std::min(bytes.size(), kFileBytes);
  std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n), raw);
  auto at = [&raw](int i) {
    uint32_t u = 0;
    for (int b = 3; b >= 0; --b) u = (u << 8) | raw[i * 4 + b];
    return static_cast<int32_t>(u);
  };
  return Rect{at(0), at(1), at(2), at(3)};
}

bool Reachable(const Rect& r, const std::vector<Rect>& monitors) {
  // 64-bit arithmetic: the values come from a file and may be anything.
  const int64_t width = int64_t{r.right} - r.left, height = int64_t{r.bottom} - r.top;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
  for (const Rect& m : monitors) {
    int64_t overlap = int64_t{std::min(r.right, m.right)} - std::max(r.left, m.left);
    bool captionRowOnMonitor = r.top >= m.top && int64_t{r.top} + kGrabHeight <= m.bottom;
    if (captionRowOnMonitor && overlap >= std::min<int64_t>(kGrabWidth, width)) return true;
  }
  return false;
}

Rect Load(const std::string& path, int screenWidth, int screenHeight, const std::vector<Rect>& monitors) {
  const Rect fallback = Default(screenWidth, screenHeight);
  file::FilePtr f = file::Open(path, "rb");
  if (!f) return fallback;
  char bytes[kFileBytes];
  size_t n = std::fread(bytes, 1, sizeof bytes, f.get());
  Rect stored = Decode(std::string_view(bytes, n), fallback);
  return Reachable(stored, monitors) ? stored : fallback;
}

bool Save(const std::string& path, const Rect& r) { return file::WriteAtomic(path, Encode(r)); }

}  // namespace center_rect
