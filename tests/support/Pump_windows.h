// Message pumping and a host window for the Windows unit tests, which drive
// real windows on the test thread.
#pragma once
#include <windows.h>

#include <functional>

#include "win/App.h"
#include "win/Window.h"

namespace test_pump {

// Hands on every message already queued, as our loop does.
inline void Pending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) win::App::PumpMessage(msg);
}

// Pumps for ms milliseconds, for what only time brings (timers, a mouse
// that left).
inline void For(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    Pending();
    Sleep(10);
  }
}

// Pumps until cond holds or maxMs have passed; the last answer of cond.
inline bool Until(const std::function<bool()>& cond, DWORD maxMs = 20000) {
  const DWORD end = GetTickCount() + maxMs;
  while (!cond() && static_cast<LONG>(end - GetTickCount()) > 0) {
    Pending();
    Sleep(10);
  }
  return cond();
}

}  // namespace test_pump

// A plain top-most popup with the given client size at the screen's origin,
// to hold the windows under test.
class CTestHost : public win::Window {
 public:
  CTestHost(int clientW, int clientH) {
    RegisterClass(L"brova.test.host");
    RECT r{0, 0, clientW, clientH};
    AdjustWindowRectEx(&r, WS_POPUP, FALSE, 0);
    Create(WS_EX_TOPMOST, L"brova.test.host", "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
           r.right - r.left, r.bottom - r.top, nullptr);
  }
};
