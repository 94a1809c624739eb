#include "common/File.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <utility>

#include "common/Text.h"

namespace file {
namespace {

// An open file that closes as it goes; Close() closes it earlier and tells
// whether that worked (where a late write error shows).
class OpenFile {
 public:
  explicit OpenFile(HANDLE h) : h_(h) {}
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  ~OpenFile() { Close(); }
  explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  bool Close() {
    if (h_ == INVALID_HANDLE_VALUE) return true;
    return CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)) != 0;
  }

 private:
  HANDLE h_;
};

}  // namespace

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

bool WriteAtomic(const std::string& path, std::string_view data) {
  std::string tmp = TempNameBeside(path);
  std::wstring wtmp = text::Widen(tmp);
  OpenFile f(CreateFileW(wtmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return false;
  bool ok = true;
  size_t done = 0;
  while (ok && done < data.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 20));
    DWORD written = 0;
    ok = WriteFile(f.get(), data.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  ok = ok && FlushFileBuffers(f.get());
  ok = f.Close() && ok;
  if (ok) ok = Replace(tmp, path);
  if (!ok) DeleteFileW(wtmp.c_str());
  return ok;
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
