// What the capture tests look at: capture files and their headers, the
// pictures in them compared with an independent grab of the screen, and
// the windows of a capture.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/E2e.h"

namespace e2e {

// The 54 header bytes of a BMP file, as stored.
struct BmpHeader {
  uint16_t type = 0;
  uint32_t fileSize = 0;
  uint16_t reserved1 = 0, reserved2 = 0;
  uint32_t offBits = 0;
  uint32_t infoSize = 0;
  int32_t width = 0, height = 0;
  uint16_t planes = 0, bitCount = 0;
  uint32_t compression = 0, imageSize = 0;
  int32_t xPelsPerMeter = 0, yPelsPerMeter = 0;
  uint32_t clrUsed = 0, clrImportant = 0;
};
std::optional<BmpHeader> ReadBmpHeader(const std::string& bytes);

// Names of the capture files ("Snapshot*" + extension) in a folder, sorted.
std::vector<std::string> SnapshotFiles(const std::string& folder, const std::string& extension = ".bmp");
// Waits until the folder holds a capture file; its full path, or "".
std::string WaitForSnapshot(const std::string& folder, int timeoutMs = 20000,
                            const std::string& extension = ".bmp");

// Nothing in the installation's Snapshot folder and no picture on the clipboard.
void ExpectNoOutput(Session& s);

// The display once two grabs in a row agree (nothing is still painting).
Image StableGrab(Session& s, int timeoutMs = 20000);
// Pixels of picture that differ from the area of screen at (x, y).
long CountDifferences(const Image& picture, const Image& screen, int x, int y);
bool IsRed(const Image& img, int x, int y);

void Click(Session& s, int x, int y, int button = 1);
void MoveTo(Session& s, int x, int y);
// Text of control id in a window; "" when it is not there.
std::string ItemText(Session& s, const std::string& window, int id);
// Waits until control id of a window shows text that contains part.
bool WaitForItemText(Session& s, const std::string& window, int id, const std::string& part,
                     int timeoutMs = 20000);

// Window titles of a capture.
constexpr char kResultTitle[] = "截屏管理";
constexpr char kPromptTitle[] = "截屏提示";
constexpr int kInfoLineId = 1013;
constexpr int kPromptTextId = 1004;
// What the prompt of a region pick asks before the first point.
constexpr char kFirstPointText[] = "按鼠标左键确定区域第一点和第二点";

// Starts a region pick with the cursor at (x, y); waits for its first prompt.
void StartRegionPick(Session& s, int x, int y);

// The result window's 300 ms click lands in the middle of its title bar;
// waits until the cursor is there, so later clicks are not overtaken.
bool WaitForResultWindowClick(Session& s, const WindowInfo& result, int timeoutMs = 20000);
// Where the cursor is now.
std::pair<int, int> CursorPos(Session& s);

}  // namespace e2e
