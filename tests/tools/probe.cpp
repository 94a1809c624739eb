// probe: a stand-in program for end-to-end tests. Copied under the name of
// whatever brova should start (a launcher target, a sibling application, the
// process scanner, a URL protocol handler), it appends one line to
// "probe.log" in its current directory, which it inherits from the program
// that started it: its own file name and its arguments, separated by tabs,
// in UTF-8. Then it exits.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "common/Text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
  std::wstring path = self;
  size_t slash = path.find_last_of(L'\\');
  std::string line = text::Narrow(path.substr(slash + 1));
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; argv && i < argc; ++i) line += "\t" + text::Narrow(argv[i]);
  if (argv) LocalFree(argv);
  line += "\n";

  HANDLE log = CreateFileW(L"probe.log", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(log);
  return 0;
}
