// Reads zip packages (PKWARE application note): single-disk archives with
// stored or deflated entries. Every problem is thrown as CZipException (or
// CFileException when the archive file cannot be opened).
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <memory>
#include <set>
#include <string>

#include "common/File.h"

class CZipException : public std::exception {
 public:
  enum Cause {
    kGeneric = 1,
    kStreamEnd = 2,
    kNeedDict = 3,
    kErrno = 4,
    kStreamError = 5,
    kDataError = 6,
    kMemError = 7,
    kBufError = 8,
    kVersionError = 9,
    kBadParameter = 10,
    kBadArchive = 11,
    kCrcMismatch = 12,
  };
  // Archive errors; zlib's own codes are passed through as they are.
  static constexpr int kErrorBadParameter = -102;
  static constexpr int kErrorBadArchive = -103;
  static constexpr int kErrorCrc = -105;

  // error: a zlib result code or one of the kError values above.
  CZipException(int error, std::string archivePath);
  static int CauseOf(int error);
  const char* what() const noexcept override { return message_.c_str(); }

  int cause;
  std::string path;  // the archive, empty when none was open

 private:
  std::string message_;
};

// The archive (or an output file) could not be opened, read or written.
class CFileException : public std::exception {
 public:
  explicit CFileException(std::string filePath) : path(std::move(filePath)), message_("file error: " + path) {}
  const char* what() const noexcept override { return message_.c_str(); }
  std::string path;

 private:
  std::string message_;
};

// The fields of a central directory record, in their order there.
struct ZipEntryInfo {
  uint16_t versionMadeBy = 0;
  uint16_t versionNeeded = 0;
  uint16_t flags = 0;
  uint16_t method = 0;
  uint32_t dosDateTime = 0;  // date in the high half, time in the low half
  uint32_t crc = 0;
  uint32_t compressedSize = 0;
  uint32_t uncompressedSize = 0;
  uint16_t nameLength = 0;
  uint16_t extraLength = 0;
  uint16_t commentLength = 0;
  uint16_t diskNumberStart = 0;
  uint16_t internalAttributes = 0;
  uint32_t externalAttributes = 0;
};

class CZipReader {
 public:
  // Compressed data are read in blocks of this size; large blocks keep the
  // file reads few (tools/bench-online.sh).
  static constexpr size_t kInputBufferSize = 256 * 1024;
  static constexpr uint16_t kMethodStored = 0;
  static constexpr uint16_t kMethodDeflated = 8;
  static constexpr uint16_t kFlagEncrypted = 0x0001;
  static constexpr uint16_t kFlagDataDescriptor = 0x0008;
  static constexpr uint16_t kFlagUtf8Name = 0x0800;

  CZipReader();
  ~CZipReader();
  CZipReader(const CZipReader&) = delete;
  CZipReader& operator=(const CZipReader&) = delete;

  // Opens the archive, finds its end record and goes to the first entry.
  // Does nothing when an archive is already open.
  void Open(const std::string& path);
  void GoToFirstEntry();
  // Reads the current central directory record again; any of the out
  // pointers may be null.
  void GetEntryInfo(ZipEntryInfo* info, std::string* name, std::string* extra, std::string* comment);

  void OpenEntry();
  // Bytes delivered; fewer than n at the end of the entry.
  size_t Read(void* buffer, size_t n);
  // True when the whole entry (its uncompressed size) has been delivered.
  bool EntryFullyRead() const;
  // Checks the CRC when the whole entry has been delivered, then drops the
  // entry's read state.
  void CloseEntry();
  // Drops an open entry without checks and closes the archive.
  void Close();

  uint16_t EntryCount() const { return entryCount_; }

 private:
  struct EntryState;
  [[noreturn]] void Fail(int error) const;
  bool ReadAt(uint64_t position, void* buffer, size_t n);
  uint64_t FindEndRecord();
  void ReadCurrentEntry();
  void DropEntry();
  static void* Allocate(void* opaque, unsigned items, unsigned size);
  static void Free(void* opaque, void* block);

  file::FilePtr file_;
  std::string path_;
  uint64_t length_ = 0;
  uint16_t entryCount_ = 0;
  uint16_t commentLength_ = 0;
  uint64_t bytesBefore_ = 0;
  uint64_t centralPos_ = 0;
  uint64_t centralEnd_ = 0;
  uint64_t entryPos_ = 0;
  uint32_t entryIndex_ = 0;
  bool entryValid_ = false;
  ZipEntryInfo entry_;
  uint32_t entryLocalOffset_ = 0;
  std::unique_ptr<EntryState> state_;
  std::set<void*> allocations_;  // every block zlib holds through this archive
};

// Largest entry ExtractFirstEntry writes out; bigger entries are refused.
constexpr uint64_t kMaxExtractedBytes = 256u << 20;

// Writes the first entry of the package into intoFolder (the package's own
// folder when empty) under the entry's name, sets its modified time from the
// entry and leaves it with plain attributes. outPath receives the written
// file's path as soon as it is created. 0 on success; 1 on any problem,
// including a CRC mismatch (the file then stays, fully written), an entry
// name that would leave the folder and an entry larger than maxBytes.
int ExtractFirstEntry(const std::string& packagePath, std::string& outPath, const std::string& intoFolder = "",
                      uint64_t maxBytes = kMaxExtractedBytes);
