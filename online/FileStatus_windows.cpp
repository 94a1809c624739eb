#include "online/FileStatus.h"

#include <windows.h>

#include "common/Text.h"

namespace filestatus {

bool SetTimes(const std::string& path, uint32_t dosDateTime) {
  FILETIME local, modified, now;
  if (!DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16), static_cast<WORD>(dosDateTime & 0xFFFF), &local) ||
      !LocalFileTimeToFileTime(&local, &modified))
    return false;
  GetSystemTimeAsFileTime(&now);
  HANDLE h = CreateFileW(text::Widen(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = SetFileTime(h, &now, &now, &modified) != 0;
  CloseHandle(h);
  return ok;
}

bool SetAttributes(const std::string& path, uint32_t attributes) {
  const DWORD kDosBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  DWORD bits = attributes & kDosBits;
  return SetFileAttributesW(text::Widen(path).c_str(), bits ? bits : FILE_ATTRIBUTE_NORMAL) != 0;
}

bool CopyModifiedTime(const std::string& from, const std::string& to) {
  FILETIME modified;
  HANDLE h = CreateFileW(text::Widen(from).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool read = GetFileTime(h, nullptr, nullptr, &modified) != 0;
  CloseHandle(h);
  if (!read) return false;
  h = CreateFileW(text::Widen(to).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = SetFileTime(h, nullptr, nullptr, &modified) != 0;
  CloseHandle(h);
  return ok;
}

bool RemoveEmptyFolder(const std::string& path) { return RemoveDirectoryW(text::Widen(path).c_str()) != 0; }

}  // namespace filestatus
