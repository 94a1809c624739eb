// A stand-in for brova.exe in the updater check: it records that it started
// and, given "hold", shows a frame titled "Pagorin" for three seconds.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  wchar_t module[MAX_PATH];
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring folder(module);
  folder = folder.substr(0, folder.find_last_of(L'\\') + 1);
  std::wstring marker = folder + L"started-" FAKE_VERSION L".txt";
  HANDLE h = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  if (commandLine && wcsstr(commandLine, L"hold")) {
    HWND frame = CreateWindowExW(0, L"STATIC", L"Pagorin", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    Sleep(3000);
    if (frame) DestroyWindow(frame);
  }
  return 0;
}
