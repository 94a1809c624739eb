// Base of the Windows unit tests' files: a fresh folder under the temporary
// folder, removed with everything in it when the object goes.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "common/Text.h"

class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    path_ = text::Narrow(base) + "brova-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter_++) + "\\";
    CreateDirectoryW(text::Widen(path_).c_str(), nullptr);
  }
  ~TempFolder() {
    std::wstring from = text::Widen(path_.substr(0, path_.size() - 1));
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, ending in a backslash.
  const std::string& path() const { return path_; }
  // The names in the folder (or its subfolder sub, ending in a backslash).
  std::vector<std::string> Files(const std::string& sub = "") const {
    std::vector<std::string> names;
    WIN32_FIND_DATAW d;
    HANDLE h = FindFirstFileW(text::Widen(path_ + sub + "*").c_str(), &d);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
      std::string n = text::Narrow(d.cFileName);
      if (n != "." && n != "..") names.push_back(n);
    } while (FindNextFileW(h, &d));
    FindClose(h);
    return names;
  }

 private:
  static inline int counter_ = 0;
  std::string path_;
};
