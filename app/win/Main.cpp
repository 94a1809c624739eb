#include <windows.h>

#include "app/win/Application.h"
#include "online/UpdateThread.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Command-line arguments never change what happens.
  CTest2App app;
  if (!app.InitInstance()) return app.ExitInstance(0);
  int code = app.ExitInstance(app.Run());
  // An update worker still inside a download ends with the process here,
  // before the runtime's clean-up, which it may still be using.
  if (CUpdateThread::LeftRunning() > 0) ExitProcess(static_cast<UINT>(code));
  return code;
}
