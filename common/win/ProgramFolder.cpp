#include "common/win/ProgramFolder.h"

#include <windows.h>

#include "common/Text.h"

std::string ProgramPath() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, &buf[0], static_cast<DWORD>(buf.size()));
    if (n == 0) return std::string();
    if (n < buf.size()) {
      buf.resize(n);
      return text::Narrow(buf);
    }
    buf.resize(buf.size() * 2);
  }
}

std::string ProgramFolder() {
  std::string path = ProgramPath();
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string InProgramFolder(const std::string& path) {
  bool full = (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
  return full ? path : ProgramFolder() + path;
}

void EnterProgramFolder() {
  std::string folder = ProgramFolder();
  if (!folder.empty()) SetCurrentDirectoryW(text::Widen(folder).c_str());
}
