#include "common/win/Shell.h"

#include <windows.h>
#include <shellapi.h>

#include "common/Text.h"

void OpenWithShell(const std::string& target, const std::string& parameters, const std::string& directory) {
  std::wstring t = text::Widen(target), p = text::Widen(parameters), d = text::Widen(directory);
  ShellExecuteW(nullptr, L"open", t.c_str(), p.c_str(), d.c_str(), SW_SHOW);
}
