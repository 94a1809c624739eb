#include "tests/support/CaptureCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "common/FrameMessages.h"

namespace e2e {
namespace {

uint32_t Get32(const std::string& b, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[at + static_cast<size_t>(i)]);
  return v;
}
uint16_t Get16(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

}  // namespace

std::optional<BmpHeader> ReadBmpHeader(const std::string& b) {
  if (b.size() < 54) return std::nullopt;
  BmpHeader h;
  h.type = Get16(b, 0);
  h.fileSize = Get32(b, 2);
  h.reserved1 = Get16(b, 6);
  h.reserved2 = Get16(b, 8);
  h.offBits = Get32(b, 10);
  h.infoSize = Get32(b, 14);
  h.width = static_cast<int32_t>(Get32(b, 18));
  h.height = static_cast<int32_t>(Get32(b, 22));
  h.planes = Get16(b, 26);
  h.bitCount = Get16(b, 28);
  h.compression = Get32(b, 30);
  h.imageSize = Get32(b, 34);
  h.xPelsPerMeter = static_cast<int32_t>(Get32(b, 38));
  h.yPelsPerMeter = static_cast<int32_t>(Get32(b, 42));
  h.clrUsed = Get32(b, 46);
  h.clrImportant = Get32(b, 50);
  return h;
}

std::vector<std::string> SnapshotFiles(const std::string& folder, const std::string& extension) {
  std::vector<std::string> out;
  for (const std::string& n : ListDir(folder))
    if (n.rfind("Snapshot", 0) == 0 && n.size() > extension.size() &&
        n.substr(n.size() - extension.size()) == extension)
      out.push_back(n);
  std::sort(out.begin(), out.end());
  return out;
}

std::string WaitForSnapshot(const std::string& folder, int timeoutMs, const std::string& extension) {
  std::string found;
  Session::WaitUntil(
      [&] {
        auto files = SnapshotFiles(folder, extension);
        if (!files.empty()) found = folder + "/" + files.front();
        return !files.empty();
      },
      timeoutMs);
  return found;
}

void ExpectNoOutput(Session& s) {
  EXPECT_TRUE(ListDir(s.appDir() + "/Snapshot").empty());
  EXPECT_EQ(s.Winctl("clipboard").out.find("bitmap"), std::string::npos);
}

Image StableGrab(Session& s, int timeoutMs) {
  Image last = s.Grab();
  Image now;
  Session::WaitUntil(
      [&] {
        now = s.Grab();
        bool same = !now.empty() && now.rgb == last.rgb;
        last = now;
        return same;
      },
      timeoutMs);
  return now;
}

long CountDifferences(const Image& picture, const Image& screen, int x0, int y0) {
  long diff = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      int sx = x0 + x, sy = y0 + y;
      if (sx < 0 || sy < 0 || sx >= screen.width || sy >= screen.height) {
        ++diff;
        continue;
      }
      const unsigned char* a = picture.at(x, y);
      const unsigned char* b = screen.at(sx, sy);
      if (a[0] != b[0] || a[1] != b[1] || a[2] != b[2]) ++diff;
    }
  }
  return diff;
}

bool IsRed(const Image& img, int x, int y) {
  const unsigned char* p = img.at(x, y);
  return p[0] == 255 && p[1] == 0 && p[2] == 0;
}

void MoveTo(Session& s, int x, int y) { s.Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y)); }

void Click(Session& s, int x, int y, int button) {
  s.Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click " + std::to_string(button));
}

std::string ItemText(Session& s, const std::string& window, int id) {
  auto item = s.Item(window, id);
  return item ? item->text : std::string();
}

bool WaitForItemText(Session& s, const std::string& window, int id, const std::string& part, int timeoutMs) {
  return Session::WaitUntil([&] { return ItemText(s, window, id).find(part) != std::string::npos; }, timeoutMs);
}

void StartRegionPick(Session& s, int x, int y) {
  ASSERT_TRUE(s.Post("Pagorin", frame_msg::kCaptureRegion));
  ASSERT_TRUE(s.WaitForWindow(kPromptTitle));
  MoveTo(s, x, y);
  ASSERT_TRUE(WaitForItemText(s, kPromptTitle, kPromptTextId, kFirstPointText));
}

std::pair<int, int> CursorPos(Session& s) {
  RunResult r = s.Shell("xdotool getmouselocation");
  int x = -1, y = -1;
  std::sscanf(r.out.c_str(), "x:%d y:%d", &x, &y);
  return {x, y};
}

bool WaitForResultWindowClick(Session& s, const WindowInfo& result, int timeoutMs) {
  const int x = result.left + result.width() / 2, y = result.top + 10;
  return Session::WaitUntil([&] { return CursorPos(s) == std::make_pair(x, y); }, timeoutMs);
}

}  // namespace e2e
