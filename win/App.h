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
  // Runs until WM_QUIT or Quit; returns the exit code.
  static int Run();
  // Ends the program's loop with code. The loop ends even when a loop of the
  // system's, run by a call on the way out (Wine's clipboard hand-over among
  // them), takes the WM_QUIT that PostQuitMessage leaves in the queue: a
  // PeekMessage with PM_REMOVE takes it whatever range it asks for. Our own
  // modal loops end too; the flag is down again once Run has returned.
  static void Quit(int code);
  static bool Quitting();
  static void PumpMessage(MSG& msg);
  static bool PreTranslate(MSG& msg);
};

}  // namespace win
