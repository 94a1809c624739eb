// data\trelk.dll: reports mouse and key activity anywhere on the desktop to
// one window of brova (the picking window) while that window is registered.
//
// InitialEnvironment(window) registers the window and starts low-level mouse
// and keyboard hooks on the calling thread; the system calls them for input
// to every program, without loading this library into other processes.
// Reports, posted to the registered window:
//   0x052C  wParam = mouse message (WM_MOUSEMOVE, WM_LBUTTONDOWN, ...) with
//           bit 31 set, lParam = where it happened (x low word, y high
//           word, signed). Low-level hooks run before the system moves the
//           cursor, so the message's own cursor point is the one before.
//   0x052D  wParam = virtual-key code, lParam = bit 0 Shift, bit 1 Ctrl,
//           bit 2 Alt, bit 3 key down
// Button presses are reported and not passed on, so a click that picks a
// window does not also click into it. The hooks end when the registered
// window is gone or the library is unloaded.
// MouseProc is the procedure brova installs as an ordinary global mouse
// hook; it only passes events on, the low-level hooks do the reporting.
#include <windows.h>

#include "common/FrameMessages.h"

namespace {

using frame_msg::kKeyReport;
using frame_msg::kMouseReport;
constexpr WPARAM kReportHasPoint = frame_msg::kMouseReportHasPoint;
namespace key_flags = frame_msg::key_flags;

HWND g_target = nullptr;
HHOOK g_mouseLL = nullptr;
HHOOK g_keyboardLL = nullptr;
HHOOK g_next = nullptr;

void StopHooks() {
  if (g_mouseLL) UnhookWindowsHookEx(g_mouseLL);
  if (g_keyboardLL) UnhookWindowsHookEx(g_keyboardLL);
  g_mouseLL = g_keyboardLL = nullptr;
  g_target = nullptr;
}

bool TargetAlive() {
  if (g_target && IsWindow(g_target)) return true;
  return false;
}

LRESULT CALLBACK LowLevelMouse(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && TargetAlive()) {
    UINT msg = static_cast<UINT>(wp);
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lp);
    LPARAM where = MAKELPARAM(static_cast<WORD>(event->pt.x), static_cast<WORD>(event->pt.y));
    PostMessageW(g_target, kMouseReport, msg | kReportHasPoint, where);
    switch (msg) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
        return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK LowLevelKeyboard(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && TargetAlive() && (wp == WM_KEYDOWN || wp == WM_SYSKEYDOWN)) {
    auto* k = reinterpret_cast<KBDLLHOOKSTRUCT*>(lp);
    LPARAM flags = key_flags::kKeyDown;
    if (GetAsyncKeyState(VK_SHIFT) & 0x8000) flags |= key_flags::kShift;
    if (GetAsyncKeyState(VK_CONTROL) & 0x8000) flags |= key_flags::kCtrl;
    if (GetAsyncKeyState(VK_MENU) & 0x8000) flags |= key_flags::kAlt;
    PostMessageW(g_target, kKeyReport, k->vkCode, flags);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

HMODULE ThisModule() {
  HMODULE m = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &m);
  return m;
}

}  // namespace

extern "C" {

BOOL WINAPI InitialEnvironment(HWND window) {
  StopHooks();
  g_target = window;
  HMODULE self = ThisModule();
  g_mouseLL = SetWindowsHookExW(WH_MOUSE_LL, LowLevelMouse, self, 0);
  g_keyboardLL = SetWindowsHookExW(WH_KEYBOARD_LL, LowLevelKeyboard, self, 0);
  return g_mouseLL != nullptr;
}

void WINAPI SetNextHook(HHOOK next) { g_next = next; }

LRESULT CALLBACK MouseProc(int code, WPARAM wp, LPARAM lp) {
  return CallNextHookEx(g_next, code, wp, lp);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_DETACH) StopHooks();
  return TRUE;
}

}  // extern "C"
