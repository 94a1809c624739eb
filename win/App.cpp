#include "win/App.h"

#include "win/Window.h"

namespace win {
namespace {
Window* g_mainWindow = nullptr;
bool g_quitting = false;
int g_exitCode = 0;
}

void App::Quit(int code) {
  g_quitting = true;
  g_exitCode = code;
  PostQuitMessage(code);
}

bool App::Quitting() { return g_quitting; }

void App::SetMainWindow(Window* window) { g_mainWindow = window; }

HWND App::MainWindow() { return g_mainWindow ? g_mainWindow->hwnd() : nullptr; }

bool App::PreTranslate(MSG& msg) {
  HWND main = MainWindow();
  if (!msg.hwnd) {
    // A message posted to the thread goes to the main window.
    if (main) {
      SendMessageW(main, msg.message, msg.wParam, msg.lParam);
      return true;
    }
    return false;
  }
  bool mainSeen = false;
  for (HWND h = msg.hwnd; h; h = GetParent(h)) {
    if (Window* w = Window::FromHandle(h)) {
      if (w->PreTranslateMessage(msg)) return true;
    }
    if (h == main) {
      mainSeen = true;
      break;
    }
  }
  if (!mainSeen && main && g_mainWindow) return g_mainWindow->PreTranslateMessage(msg);
  return false;
}

void App::PumpMessage(MSG& msg) {
  if (PreTranslate(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int App::Run() {
  MSG msg{};
  int code = 0;
  for (;;) {
    if (g_quitting) {
      // Our WM_QUIT goes with the loop, whether it is still queued or not.
      PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
      code = g_exitCode;
      break;
    }
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      code = static_cast<int>(msg.wParam);
      break;
    }
    if (got < 0) break;
    PumpMessage(msg);
  }
  g_quitting = false;
  return code;
}

}  // namespace win
