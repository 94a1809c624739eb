// A stand-in for brova.exe in the updater's end-to-end tests: it records that
// it started by creating "started-<version>.txt" beside itself and, given
// "hold", keeps a window titled "Pagorin" (brova's frame) until that window
// is closed. FAKE_VERSION names the build ("v1", "v2").
#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

std::wstring OwnFolder() {
  wchar_t module[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring path(module, n);
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  std::wstring marker = OwnFolder() + L"started-" FAKE_VERSION L".txt";
  HANDLE h = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  if (!commandLine || !wcsstr(commandLine, L"hold")) return 0;

  WNDCLASSW wc{};
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"fake_brova.Pagorin";
  RegisterClassW(&wc);
  if (!CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"Pagorin", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                       nullptr))
    return 1;
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  return 0;
}
