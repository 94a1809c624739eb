#include "capture/win/CountdownWindow.h"

#include <algorithm>

#include "common/Text.h"
#include "common/win/Palette.h"
#include "common/win/SharedGdi.h"
#include "win/App.h"
#include "win/Dpi.h"
#include "win/Gdi.h"

const char kCountdownTitle[] = "延时截屏";

namespace {
const wchar_t kClass[] = L"brova.countdown";
constexpr int kWidth = 180, kHeight = 64, kMargin = 16;
constexpr DWORD kTickMs = 50;

// Whether Esc went down while this lives (one at a time, on the UI thread).
class EscapeWatch {
 public:
  EscapeWatch() {
    active_ = this;
    hook_ = SetWindowsHookExW(WH_KEYBOARD_LL, &EscapeWatch::Proc, GetModuleHandleW(nullptr), 0);
  }
  ~EscapeWatch() {
    if (hook_) UnhookWindowsHookEx(hook_);
    active_ = nullptr;
  }
  EscapeWatch(const EscapeWatch&) = delete;
  EscapeWatch& operator=(const EscapeWatch&) = delete;
  bool pressed() const { return pressed_; }

 private:
  static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && (wp == WM_KEYDOWN || wp == WM_SYSKEYDOWN) && active_ &&
        reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp)->vkCode == VK_ESCAPE)
      active_->pressed_ = true;
    return CallNextHookEx(nullptr, code, wp, lp);
  }
  static inline EscapeWatch* active_ = nullptr;
  HHOOK hook_ = nullptr;
  bool pressed_ = false;
};

}  // namespace

bool CCountdownWindow::Open(HWND owner) {
  RegisterClass(kClass, 0, nullptr, nullptr, LoadCursorW(nullptr, IDC_HAND));
  // The bottom-right corner of the primary monitor's work area, where
  // menus rarely open.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int dpi = win::DpiOf(nullptr);
  const int w = MulDiv(kWidth, dpi, 96), h = MulDiv(kHeight, dpi, 96), m = MulDiv(kMargin, dpi, 96);
  if (!Create(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClass, kCountdownTitle, WS_POPUP | WS_BORDER,
              work.right - w - m, work.bottom - h - m, w, h, owner))
    return false;
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd_);
  return true;
}

void CCountdownWindow::SetLeft(int seconds) {
  if (seconds == left_) return;
  left_ = seconds;
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT CCountdownWindow::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;

  return Window::WindowProc(msg, wp, lp);
}

void CCountdownWindow::PaintContent(HDC dc, const RECT& client) {
  win::Brush background(CreateSolidBrush(palette::kSand));
  FillRect(dc, &client, background);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, palette::kBlue);
  const int dpi = Dpi();
  RECT top = client, bottom = client;
  top.bottom = client.top + (client.bottom - client.top) * 2 / 3;
  bottom.top = top.bottom;
  {
    win::Select font(dc, shared_gdi::Font24(dpi));
    win::DrawText(dc, text::Format("%d 秒后截屏", left_), top, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  win::Select font(dc, shared_gdi::Font14(dpi));
  win::DrawText(dc, "Esc 或单击取消", bottom, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

bool CCountdownWindow::Run(int seconds, HWND frame) {
  if (seconds <= 0) return true;
  CCountdownWindow window;
  // Owned by the hidden frame: no taskbar button.
  window.Open(frame);
  // The window never has the focus, yet Esc typed into any program cancels:
  // a low-level keyboard hook of this thread sees it, and passes it on.
  EscapeWatch escape;
  window.SetLeft(seconds);
  const DWORD start = GetTickCount(), total = static_cast<DWORD>(seconds) * 1000;
  // A key held as the countdown starts does not cancel it; a new press does.
  bool escDown = (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0;
  bool ran = true;
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= total) break;
    window.SetLeft(static_cast<int>((total - elapsed + 999) / 1000));
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min(kTickMs, total - elapsed), QS_ALLINPUT);
    MSG msg;
    bool quit = false;
    while (!quit && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that ends the program
        quit = true;
      } else {
        win::App::PumpMessage(msg);
      }
    }
    const bool esc = (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0;
    if (quit || win::App::Quitting() || window.cancelled_ || escape.pressed() || !IsWindow(frame) || (esc && !escDown)) {
      ran = false;
      break;
    }
    escDown = esc;
  }
  // Gone before the screen is read, and what it covered painted again.
  RECT covered = window.hwnd() ? window.WindowRect() : RECT{};
  window.Destroy();
  RedrawWindow(nullptr, &covered, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return ran;
}
