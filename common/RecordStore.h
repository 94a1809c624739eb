// A settings file under the program folder that the program holds as one
// record: the capture settings "data\snapshot.dat", the boss key
// "data3\bosskey.dat", the CD keys "data3\cdkey.dat", the shutdown time
// "data3\shutdown.ini". The store holds the live copy, read whole, and
// writes it whole through a temporary file.
//
// A record type R has
//   kSize                         the most bytes a load reads of the file
//   ApplyBytes(bytes)             a file's bytes over the current values (a
//                                 short file replaces only what it has)
//   ApplyNoFile(programFolder)    what a missing file means (the defaults)
//   Serialize(out) -> bool        the file's bytes; false when the record
//                                 cannot be stored as it is
#pragma once
#include <cstdio>
#include <string>
#include <utility>

#include "common/File.h"

// Creates the file's folder (one level under the program folder) and writes
// bytes atomically; false when nothing was written.
bool WriteRecordFile(const std::string& programFolder, const std::string& relativePath, const std::string& bytes);

template <class R>
class CRecordStore {
 public:
  // programFolder ends with its separator.
  CRecordStore(std::string programFolder, const char* relativePath)
      : folder_(std::move(programFolder)), relativePath_(relativePath) {}

  // Reads the file over the current record: 0 when it was read, 1 when it
  // could not be opened and the defaults were set. Until the first load the
  // record is R{} (for the key records all zeros, which match no key).
  int Load() {
    file::FilePtr f = file::Open(Path(), "rb");
    if (!f) {
      current_.ApplyNoFile(folder_);
      return 1;
    }
    char buffer[R::kSize];
    size_t n = std::fread(buffer, 1, sizeof buffer, f.get());
    current_.ApplyBytes(std::string(buffer, n));
    return 0;
  }
  const R& Current() const { return current_; }
  // The record as the file holds it now, read as Load reads it into a fresh
  // R{}; the live copy stays as it is.
  R Read() const {
    CRecordStore fresh(folder_, relativePath_.c_str());
    fresh.Load();
    return fresh.current_;
  }
  // Writes the record; true when it was written, and only then does the
  // live copy follow.
  bool Save(const R& record) {
    std::string bytes;
    if (!record.Serialize(bytes) || !WriteRecordFile(folder_, relativePath_, bytes)) return false;
    current_ = record;
    return true;
  }

  std::string Path() const { return folder_ + relativePath_; }

 protected:
  const std::string& Folder() const { return folder_; }
  R current_{};

 private:
  std::string folder_;
  std::string relativePath_;
};
