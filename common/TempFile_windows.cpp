#include "common/TempFile.h"

#include <windows.h>

#include <algorithm>

#include "common/File.h"
#include "common/Text.h"

namespace file {
namespace {

HANDLE AsHandle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

}  // namespace

bool NativeFileTraits::Valid(Type h) { return h != -1 && h != 0; }
bool NativeFileTraits::Close(Type h) { return CloseHandle(AsHandle(h)) != 0; }

CTempFile::CTempFile(const std::string& beside) : path_(TempNameBeside(beside)) {
  // Read access too: a writer may read back what it wrote.
  HANDLE h = CreateFileW(text::Widen(path_).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  file_.reset(reinterpret_cast<std::intptr_t>(h));
  opened_ = static_cast<bool>(file_);
}

CTempFile::~CTempFile() {
  file_.Close();
  if (opened_ && !committed_) DeleteFileW(text::Widen(path_).c_str());
}

bool CTempFile::Write(const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  for (size_t done = 0; done < size;) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(AsHandle(file_.get()), bytes + done, chunk, &written, nullptr) || written != chunk) return false;
    done += written;
  }
  return true;
}

bool CTempFile::Close(bool flush) {
  if (!file_) return false;
  bool ok = !flush || FlushFileBuffers(AsHandle(file_.get()));
  return file_.Close() && ok;
}

CTempFile::MoveResult CTempFile::MoveTo(const std::string& name) {
  if (file_ || !opened_) return kMoveFailed;
  if (MoveFileExW(text::Widen(path_).c_str(), text::Widen(name).c_str(), 0)) {
    committed_ = true;
    return kMoved;
  }
  DWORD error = GetLastError();
  return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? kNameTaken : kMoveFailed;
}

}  // namespace file
