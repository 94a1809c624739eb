// Private window messages of brova. Other programs post them to the hidden
// frame window titled "Pagorin"; the hook library posts the reports.
#pragma once
#include <windows.h>

namespace msg {
constexpr UINT kTrayCallback = WM_USER + 5;     // 0x0405, lParam = mouse message
constexpr UINT kReloadAll = WM_USER + 6;        // 0x0406
constexpr UINT kCaptureFullScreen = WM_USER + 7;  // 0x0407
constexpr UINT kCaptureWindow = WM_USER + 8;      // 0x0408
constexpr UINT kCaptureRegion = WM_USER + 9;      // 0x0409
constexpr UINT kOpenCenter = WM_USER + 10;        // 0x040A
constexpr UINT kInfoCenter = WM_USER + 11;        // 0x040B
constexpr UINT kMouseReport = WM_USER + 300;      // 0x052C, wParam = mouse message
// Set in a mouse report's wParam when lParam holds the event's screen point
// (x in the low word, y in the high word, both signed).
constexpr WPARAM kMouseReportHasPoint = 0x80000000u;
constexpr UINT kKeyReport = WM_USER + 301;        // 0x052D, wParam = key code, lParam = flags
}  // namespace msg

// Titles by which other programs find our windows.
constexpr wchar_t kFrameTitle[] = L"Pagorin";
constexpr wchar_t kCenterTitle[] = L"Tolvana";
constexpr UINT kTrayIconId = 128;
