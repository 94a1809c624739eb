#include "online/FileStatus.h"

#include <windows.h>

#include "common/Text.h"
#include "win/Handles.h"

namespace filestatus {

bool SetTimes(const std::string& path, uint32_t dosDateTime) {
  FILETIME local, modified, now;
  if (!DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16), static_cast<WORD>(dosDateTime & 0xFFFF), &local) ||
      !LocalFileTimeToFileTime(&local, &modified))
    return false;
  GetSystemTimeAsFileTime(&now);
  win::Handle h(CreateFileW(text::Widen(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return h && SetFileTime(h, &now, &now, &modified) != 0;
}

bool SetAttributes(const std::string& path, uint32_t attributes) {
  const DWORD kDosBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  DWORD bits = attributes & kDosBits;
  return SetFileAttributesW(text::Widen(path).c_str(), bits ? bits : FILE_ATTRIBUTE_NORMAL) != 0;
}

bool CopyModifiedTime(const std::string& from, const std::string& to) {
  FILETIME modified;
  {
    win::Handle source(CreateFileW(text::Widen(from).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!source || !GetFileTime(source, nullptr, nullptr, &modified)) return false;
  }
  win::Handle target(CreateFileW(text::Widen(to).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return target && SetFileTime(target, nullptr, nullptr, &modified) != 0;
}

bool RemoveEmptyFolder(const std::string& path) { return RemoveDirectoryW(text::Widen(path).c_str()) != 0; }

}  // namespace filestatus
