#include "common/TempFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "common/File.h"

namespace file {

bool NativeFileTraits::Valid(Type h) { return h >= 0; }
bool NativeFileTraits::Close(Type h) { return ::close(static_cast<int>(h)) == 0; }

CTempFile::CTempFile(const std::string& beside) : path_(TempNameBeside(beside)) {
  file_.reset(::open(HostPath(path_).c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644));
  opened_ = static_cast<bool>(file_);
}

CTempFile::~CTempFile() {
  file_.Close();
  if (opened_ && !committed_) ::unlink(HostPath(path_).c_str());
}

bool CTempFile::Write(const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  for (size_t done = 0; done < size;) {
    ssize_t n = ::write(static_cast<int>(file_.get()), bytes + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool CTempFile::Close(bool flush) {
  if (!file_) return false;
  bool ok = !flush || ::fsync(static_cast<int>(file_.get())) == 0;
  return file_.Close() && ok;
}

CTempFile::MoveResult CTempFile::MoveTo(const std::string& name) {
  if (file_ || !opened_) return kMoveFailed;
  // link() fails with EEXIST where a file of that name stands: no replacing.
  if (::link(HostPath(path_).c_str(), HostPath(name).c_str()) != 0)
    return errno == EEXIST ? kNameTaken : kMoveFailed;
  committed_ = true;
  ::unlink(HostPath(path_).c_str());
  return kMoved;
}

}  // namespace file
