// What other programs, the hook library and our own windows tell the hidden
// frame "Pagorin", and the titles by which other programs and copies of
// brova find our windows. Portable: the numbers are those of the Windows
// messages (WM_USER = 0x0400).
#pragma once
#include <cstdint>

namespace frame_msg {

// Posted to the frame by other programs and by the tray icon.
constexpr uint32_t kTrayCallback = 0x0405;       // lParam = mouse message
constexpr uint32_t kReloadAll = 0x0406;          // settings and plans read again
constexpr uint32_t kCaptureFullScreen = 0x0407;
constexpr uint32_t kCaptureWindow = 0x0408;
constexpr uint32_t kCaptureRegion = 0x0409;
constexpr uint32_t kOpenCenter = 0x040A;
constexpr uint32_t kInfoCenter = 0x040B;
// Posted by our own windows after they have written what the frame holds.
constexpr uint32_t kReloadPlans = 0x040C;        // "data\plan.ini" changed
constexpr uint32_t kReloadHotKeys = 0x040D;      // the capture settings changed
constexpr uint32_t kReloadBossKey = 0x040E;      // the boss key saved through the frame's store
constexpr uint32_t kReloadCdKeys = 0x040F;       // the CD keys saved through the frame's store
constexpr uint32_t kReloadShutdown = 0x0410;     // the shutdown time saved or removed through the frame's store

// Reports of the hook library (data\trelk.dll) to the registered window.
constexpr uint32_t kMouseReport = 0x052C;        // wParam = mouse message | kMouseReportHasPoint
// Set in a mouse report's wParam when lParam holds the event's screen point
// (x in the low word, y in the high word, both signed).
constexpr uint32_t kMouseReportHasPoint = 0x80000000u;
constexpr uint32_t kKeyReport = 0x052D;          // wParam = virtual-key code, lParam = the flags below
namespace key_flags {
constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;
constexpr int kKeyDown = 8;
}  // namespace key_flags

// Window titles (ASCII).
constexpr char kFrameTitle[] = "Pagorin";
constexpr char kCaptureTitle[] = "Vistrel";
constexpr char kCenterTitle[] = "Tolvana";
constexpr uint32_t kTrayIconId = 128;  // the frame's notification-area icon

}  // namespace frame_msg
