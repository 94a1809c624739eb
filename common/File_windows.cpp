#include "common/File.h"

#include <windows.h>

#include <atomic>

#include "common/Text.h"

namespace file {

FilePtr Open(const std::string& path, const char* mode) {
  return FilePtr(_wfopen(text::Widen(path).c_str(), text::Widen(mode).c_str()));
}

std::string HostPath(const std::string& path) { return path; }

std::string TempNameBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".tmp" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(counter++);
}

bool Replace(const std::string& from, const std::string& to) {
  return MoveFileExW(text::Widen(from).c_str(), text::Widen(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(text::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const std::string& path) {
  DWORD a = GetFileAttributesW(text::Widen(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Remove(const std::string& path) { return DeleteFileW(text::Widen(path).c_str()) != 0; }

bool CreateDir(const std::string& path) {
  return CreateDirectoryW(text::Widen(path).c_str(), nullptr) || IsDirectory(path);
}

int64_t Size(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExW(text::Widen(path).c_str(), GetFileExInfoStandard, &d)) return -1;
  return (static_cast<int64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& suffix) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(text::Widen(folder + "*" + suffix).c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    // The pattern also matches long names through their short 8.3 names.
    std::string name = text::Narrow(found.cFileName);
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name.size() >= suffix.size() &&
        text::EqualsNoCase(std::string_view(name).substr(name.size() - suffix.size()), suffix))
      names.push_back(name);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return names;
}

}  // namespace file
