// The program's message loop. Every loop of ours (the main one and those of
// modal dialogs) sends each message through PumpMessage, which lets the
// windows from the target up through its parents and owners, and then the
// main window, pre-translate it before it is dispatched.
#pragma once
#include <windows.h>

namespace win {

class Window;

class App {
 public:
  static void SetMainWindow(Window* window);
  static HWND MainWindow();
  // Runs until WM_QUIT; returns its exit code.
  static int Run();
  static void PumpMessage(MSG& msg);
  static bool PreTranslate(MSG& msg);
};

}  // namespace win
