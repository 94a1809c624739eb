// A settings record of fixed size kept in one file under the program folder
// ("data3\bosskey.dat", "data3\cdkey.dat"): the live copy, read whole, and
// written whole through a temporary file.
//
// A record type R has kSize, Defaults(), Bytes() (its kSize bytes) and
// ApplyBytes(bytes) (a file's bytes over the current values: a short file
// replaces only the bytes it has).
#pragma once
#include <cstdio>
#include <string>

#include "common/File.h"

namespace assistant {

// Creates the file's folder (one level under the program folder) and writes
// bytes atomically; false when nothing was written.
bool WriteRecordFile(const std::string& programFolder, const std::string& relativePath, const std::string& bytes);

template <class R>
class RecordStore {
 public:
  explicit RecordStore(const char* relativePath) : relativePath_(relativePath) {}

  // Reads the file over the current record: 0 when it was read, 1 when it
  // could not be opened and the defaults were set. Until the first load the
  // record is all zeros, which matches no key.
  int Load(const std::string& programFolder) {
    file::FilePtr f = file::Open(programFolder + relativePath_, "rb");
    if (!f) {
      current_ = R::Defaults();
      return 1;
    }
    char buffer[R::kSize];
    size_t n = std::fread(buffer, 1, sizeof buffer, f.get());
    current_.ApplyBytes(std::string(buffer, n));
    return 0;
  }
  const R& Current() const { return current_; }
  // The record as the file holds it now, read as Load reads it into a fresh
  // (zero) record; the live copy stays as it is.
  R Read(const std::string& programFolder) const {
    RecordStore fresh(relativePath_.c_str());
    fresh.Load(programFolder);
    return fresh.current_;
  }
  // Writes the record; the live copy follows only when the file was written.
  bool Save(const std::string& programFolder, const R& record) {
    if (!WriteRecordFile(programFolder, relativePath_, record.Bytes())) return false;
    current_ = record;
    return true;
  }

 private:
  std::string relativePath_;
  R current_{};
};

}  // namespace assistant
