// The one temporary-file writer: a file beside its final path
// (file::TempNameBeside), written, closed and then committed, either moved
// over the final path (the atomic replace of every rewritten file) or moved
// to a name that is still free (a capture never replaces an earlier one).
// A file that is not committed is removed when the object goes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/ScopedHandle.h"

namespace file {

// An open file of the system: a HANDLE on Windows, a descriptor on POSIX.
struct NativeFileTraits {
  using Type = std::intptr_t;
  static Type None() { return -1; }
  static bool Valid(Type h);
  static bool Close(Type h);
};
using NativeFile = ScopedHandle<NativeFileTraits>;

class CTempFile {
 public:
  enum MoveResult { kMoved, kNameTaken, kMoveFailed };

  // Creates the file, empty, beside path; false (operator bool) when it
  // cannot be created.
  explicit CTempFile(const std::string& beside);
  ~CTempFile();
  CTempFile(const CTempFile&) = delete;
  CTempFile& operator=(const CTempFile&) = delete;

  explicit operator bool() const { return static_cast<bool>(file_); }
  const std::string& path() const { return path_; }
  // The open file, for writers that call the system themselves.
  NativeFile::Type native() const { return file_.get(); }

  // All bytes written, or false.
  bool Write(const void* data, size_t size);
  // Flushes the file to the disk when asked, and closes it; false when the
  // flush or the close failed, or the file was never open.
  bool Close(bool flush);

  // After Close: moves the file over target, replacing it, with write-through.
  bool ReplaceOver(const std::string& target);
  // After Close: moves the file to name unless a file of that name exists.
  MoveResult MoveTo(const std::string& name);

 private:
  std::string path_;
  NativeFile file_;
  bool opened_ = false;     // the file was created, so there is something to remove
  bool committed_ = false;  // moved to its final name
};

}  // namespace file
