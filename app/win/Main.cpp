#include <windows.h>

#include "app/win/Test2App.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Command-line arguments never change what happens.
  CTest2App app;
  if (!app.InitInstance()) return app.ExitInstance(0);
  return app.ExitInstance(app.Run());
}
