#include "online/ZipReader.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/Text.h"
#include "online/FileStatus.h"
#include "online/SafePath.h"

namespace {

constexpr uint32_t kEndRecordSignature = 0x06054B50;
constexpr uint32_t kCentralSignature = 0x02014B50;
constexpr uint32_t kLocalSignature = 0x04034B50;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kCentralRecordSize = 46;
constexpr size_t kLocalHeaderSize = 30;
// The end record stands within the last 65535 bytes: 22 bytes plus a comment
// of at most 65513. It is searched for in windows of 1028 bytes that step
// back 1024 at a time, so a signature across two windows is not missed.
constexpr uint64_t kEndSearchLimit = 0xFFFF;
constexpr uint64_t kSearchStep = 1024;
constexpr uint64_t kSearchWindow = kSearchStep + 4;
// Archives are addressed with 32-bit offsets; longer files are not archives of ours.
constexpr uint64_t kMaxArchiveLength = 0x7FFFFFFF;
// Entries are written out in blocks of this size: inflate works fastest, and
// copies least into its window, when it has plenty of room for its output.
constexpr size_t kExtractChunk = 1024 * 1024;
constexpr int kErrorBadParameter = CZipException::kErrorBadParameter;
constexpr int kErrorBadArchive = CZipException::kErrorBadArchive;
constexpr int kErrorCrc = CZipException::kErrorCrc;

// Little-endian fields of a record read into memory.
class Fields {
 public:
  explicit Fields(const uint8_t* p) : p_(p) {}
  uint16_t U16() {
    uint16_t v = static_cast<uint16_t>(p_[0] | p_[1] << 8);
    p_ += 2;
    return v;
  }
  uint32_t U32() {
    uint32_t v = uint32_t(p_[0]) | uint32_t(p_[1]) << 8 | uint32_t(p_[2]) << 16 | uint32_t(p_[3]) << 24;
    p_ += 4;
    return v;
  }
  void Skip(size_t n) { p_ += n; }

 private:
  const uint8_t* p_;
};

std::string FolderOf(const std::string& path) {
  size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

}  // namespace

CZipException::CZipException(int error, std::string archivePath)
    : cause(CauseOf(error)), path(std::move(archivePath)) {
  message_ = "zip error " + std::to_string(cause) + (path.empty() ? "" : ": " + path);
}

int CZipException::CauseOf(int error) {
  switch (error) {
    case Z_STREAM_END: return kStreamEnd;
    case Z_NEED_DICT: return kNeedDict;
    case Z_ERRNO: return kErrno;
    case Z_STREAM_ERROR: return kStreamError;
    case Z_DATA_ERROR: return kDataError;
    case Z_MEM_ERROR: return kMemError;
    case Z_BUF_ERROR: return kBufError;
    case Z_VERSION_ERROR: return kVersionError;
    case kErrorBadParameter: return kBadParameter;
    case kErrorBadArchive: return kBadArchive;
    case kErrorCrc: return kCrcMismatch;
    default: return kGeneric;
  }
}

struct CZipReader::EntryState {
  std::vector<uint8_t> input = std::vector<uint8_t>(kInputBufferSize);
  z_stream stream{};
  bool streamInitialised = false;
  uint64_t nextCompressedPos = 0;
  uint64_t localExtraPos = 0;
  uint16_t localExtraLength = 0;
  uint32_t crc = 0;
  uint32_t expectedCrc = 0;
  uint64_t compressedLeft = 0;
  uint64_t uncompressedLeft = 0;
  uint16_t method = 0;
};

CZipReader::CZipReader() = default;

CZipReader::~CZipReader() {
  Close();
  for (void* block : allocations_) std::free(block);
}

void CZipReader::Fail(int error) const { throw CZipException(error, path_); }

bool CZipReader::ReadAt(uint64_t position, void* buffer, size_t n) {
  if (position > length_ || n > length_ - position) return false;
  if (std::fseek(file_.get(), static_cast<long>(position), SEEK_SET) != 0) return false;
  return std::fread(buffer, 1, n, file_.get()) == n;
}

uint64_t CZipReader::FindEndRecord() {
  uint64_t maxBack = std::min(length_, kEndSearchLimit);
  uint8_t window[kSearchWindow];
  uint64_t backRead = 4;
  while (backRead < maxBack) {
    backRead = std::min(backRead + kSearchStep, maxBack);
    uint64_t readPos = length_ - backRead;
    size_t readSize = static_cast<size_t>(std::min(kSearchWindow, length_ - readPos));
    if (!ReadAt(readPos, window, readSize)) Fail(kErrorBadArchive);
    for (size_t i = readSize - 3; i-- > 0;) {
      if (window[i] == 0x50 && window[i + 1] == 0x4B && window[i + 2] == 0x05 && window[i + 3] == 0x06)
        return readPos + i;
    }
  }
  return 0;
}

void CZipReader::Open(const std::string& path) {
  if (file_) return;
  file::FilePtr opened = file::Open(path, "rb");
  if (!opened) throw CFileException(path);
  file_ = std::move(opened);
  path_ = path;
  long end = -1;
  if (std::fseek(file_.get(), 0, SEEK_END) == 0) end = std::ftell(file_.get());
  if (end < 0 || static_cast<uint64_t>(end) > kMaxArchiveLength) Fail(kErrorBadArchive);
  length_ = static_cast<uint64_t>(end);

  // A record found at byte 0 (an archive with nothing but the end record)
  // counts as not found.
  uint64_t endPos = FindEndRecord();
  uint8_t record[kEndRecordSize];
  if (endPos == 0 || !ReadAt(endPos, record, sizeof record)) Fail(kErrorBadArchive);
  Fields f(record);
  if (f.U32() != kEndRecordSignature) Fail(kErrorBadArchive);
  uint16_t disk = f.U16();
  uint16_t centralDisk = f.U16();
  uint16_t entriesHere = f.U16();
  uint16_t entriesTotal = f.U16();
  uint32_t centralSize = f.U32();
  uint32_t centralOffset = f.U32();
  uint16_t commentLength = f.U16();
  if (disk != 0 || centralDisk != 0 || entriesHere != entriesTotal ||
      endPos < uint64_t(centralOffset) + centralSize)
    Fail(kErrorBadArchive);
  entryCount_ = entriesHere;
  commentLength_ = commentLength;
  bytesBefore_ = endPos - (uint64_t(centralOffset) + centralSize);
  centralPos_ = centralOffset;
  centralEnd_ = endPos;
  GoToFirstEntry();
}

void CZipReader::GoToFirstEntry() {
  if (!file_) Fail(kErrorBadParameter);
  entryValid_ = false;
  entryPos_ = centralPos_;
  entryIndex_ = 0;
  ReadCurrentEntry();
  entryValid_ = true;
}

void CZipReader::ReadCurrentEntry() {
  uint8_t record[kCentralRecordSize];
  if (!ReadAt(bytesBefore_ + entryPos_, record, sizeof record)) Fail(kErrorBadArchive);
  Fields f(record);
  if (f.U32() != kCentralSignature) Fail(kErrorBadArchive);
  ZipEntryInfo e;
  e.versionMadeBy = f.U16();
  e.versionNeeded = f.U16();
  e.flags = f.U16();
  e.method = f.U16();
  e.dosDateTime = f.U32();
  e.crc = f.U32();
  e.compressedSize = f.U32();
  e.uncompressedSize = f.U32();
  e.nameLength = f.U16();
  e.extraLength = f.U16();
  e.commentLength = f.U16();
  e.diskNumberStart = f.U16();
  e.internalAttributes = f.U16();
  e.externalAttributes = f.U32();
  entry_ = e;
  entryLocalOffset_ = f.U32();
}

void CZipReader::GetEntryInfo(ZipEntryInfo* info, std::string* name, std::string* extra, std::string* comment) {
  if (!entryValid_) Fail(kErrorBadParameter);
  ReadCurrentEntry();
  if (info) *info = entry_;
  uint64_t pos = bytesBefore_ + entryPos_ + kCentralRecordSize;
  auto readText = [&](std::string* out, uint16_t length) {
    if (out) {
      out->assign(length, '\0');
      if (length > 0 && !ReadAt(pos, &(*out)[0], length)) Fail(kErrorBadArchive);
    }
    pos += length;
  };
  readText(name, entry_.nameLength);
  readText(extra, entry_.extraLength);
  readText(comment, entry_.commentLength);
}

void CZipReader::OpenEntry() {
  if (!file_ || !entryValid_) Fail(kErrorBadParameter);
  DropEntry();

  uint64_t headerPos = bytesBefore_ + entryLocalOffset_;
  uint8_t header[kLocalHeaderSize];
  if (!ReadAt(headerPos, header, sizeof header)) Fail(kErrorBadArchive);
  Fields f(header);
  if (f.U32() != kLocalSignature) Fail(kErrorBadArchive);
  f.Skip(2);  // version needed
  uint16_t flags = f.U16();
  uint16_t method = f.U16();
  f.Skip(4);  // date and time
  uint32_t crc = f.U32();
  uint32_t compressedSize = f.U32();
  uint32_t uncompressedSize = f.U32();
  uint16_t nameLength = f.U16();
  uint16_t extraLength = f.U16();
  bool sizesTrail = (flags & kFlagDataDescriptor) != 0;
  if (method != entry_.method || (method != kMethodStored && method != kMethodDeflated) ||
      (!sizesTrail && (crc != entry_.crc || compressedSize != entry_.compressedSize ||
                       uncompressedSize != entry_.uncompressedSize)) ||
      nameLength != entry_.nameLength || (flags & kFlagEncrypted) || (entry_.flags & kFlagEncrypted))
    Fail(kErrorBadArchive);

  auto state = std::make_unique<EntryState>();
  state->localExtraPos = headerPos + kLocalHeaderSize + nameLength;
  state->localExtraLength = extraLength;
  state->nextCompressedPos = state->localExtraPos + extraLength;
  state->expectedCrc = entry_.crc;
  state->method = method;
  state->compressedLeft = entry_.compressedSize;
  state->uncompressedLeft = entry_.uncompressedSize;
  if (method == kMethodDeflated) {
    state->stream.zalloc = &CZipReader::Allocate;
    state->stream.zfree = &CZipReader::Free;
    state->stream.opaque = this;
    // Raw deflate data: negative window bits, no zlib header.
    int err = inflateInit2_(&state->stream, -MAX_WBITS, ZLIB_VERSION, static_cast<int>(sizeof(z_stream)));
    if (err != Z_OK) Fail(err);
    state->streamInitialised = true;
  }
  state_ = std::move(state);
}

size_t CZipReader::Read(void* buffer, size_t n) {
  if (!state_) Fail(kErrorBadParameter);
  if (n == 0 || !buffer) return 0;
  EntryState& s = *state_;
  size_t room = static_cast<size_t>(std::min<uint64_t>(n, s.uncompressedLeft));
  room = std::min<size_t>(room, 0x7FFFFFFF);
  uint8_t* out = static_cast<uint8_t*>(buffer);
  size_t delivered = 0;
  while (delivered < room) {
    if (s.stream.avail_in == 0 && s.compressedLeft > 0) {
      size_t chunk = static_cast<size_t>(std::min<uint64_t>(kInputBufferSize, s.compressedLeft));
      if (!ReadAt(s.nextCompressedPos, s.input.data(), chunk)) Fail(Z_ERRNO);
      s.nextCompressedPos += chunk;
      s.compressedLeft -= chunk;
      s.stream.next_in = s.input.data();
      s.stream.avail_in = static_cast<uInt>(chunk);
    }
    if (s.method == kMethodStored) {
      if (s.stream.avail_in == 0) break;  // the stored data end before the entry's size
      size_t copy = std::min<size_t>(room - delivered, s.stream.avail_in);
      std::memcpy(out + delivered, s.stream.next_in, copy);
      s.crc = static_cast<uint32_t>(crc32(s.crc, out + delivered, static_cast<uInt>(copy)));
      s.stream.next_in += copy;
      s.stream.avail_in -= static_cast<uInt>(copy);
      s.uncompressedLeft -= copy;
      delivered += copy;
    } else {
      s.stream.next_out = out + delivered;
      s.stream.avail_out = static_cast<uInt>(room - delivered);
      int err = inflate(&s.stream, Z_SYNC_FLUSH);
      size_t produced = static_cast<size_t>(s.stream.next_out - (out + delivered));
      s.crc = static_cast<uint32_t>(crc32(s.crc, out + delivered, static_cast<uInt>(produced)));
      s.uncompressedLeft -= produced;
      delivered += produced;
      if (err == Z_STREAM_END) break;
      if (err != Z_OK) Fail(err);
    }
  }
  return delivered;
}

bool CZipReader::EntryFullyRead() const { return state_ && state_->uncompressedLeft == 0; }

void CZipReader::CloseEntry() {
  if (!state_) return;
  bool crcMismatch = state_->uncompressedLeft == 0 && state_->crc != state_->expectedCrc;
  DropEntry();
  if (crcMismatch) Fail(kErrorCrc);
}

void CZipReader::DropEntry() {
  if (state_ && state_->streamInitialised) inflateEnd(&state_->stream);
  state_.reset();
}

void CZipReader::Close() {
  DropEntry();
  file_.reset();
  path_.clear();
  entryValid_ = false;
}

void* CZipReader::Allocate(void* opaque, unsigned items, unsigned size) {
  if (size != 0 && items > SIZE_MAX / size) return nullptr;
  void* block = std::malloc(static_cast<size_t>(items) * size);
  if (!block) return nullptr;
  try {
    static_cast<CZipReader*>(opaque)->allocations_.insert(block);
  } catch (...) {
    std::free(block);
    return nullptr;
  }
  return block;
}

void CZipReader::Free(void* opaque, void* block) {
  static_cast<CZipReader*>(opaque)->allocations_.erase(block);
  std::free(block);
}

int ExtractFirstEntry(const std::string& packagePath, std::string& outPath, const std::string& intoFolder,
                      uint64_t maxBytes) {
  outPath.clear();
  CZipReader zip;
  file::FilePtr out;
  try {
    zip.Open(packagePath);
    ZipEntryInfo info;
    std::string name;
    zip.GetEntryInfo(&info, &name, nullptr, nullptr);
    name.resize(std::min(name.size(), name.find('\0')));
    if (!(info.flags & CZipReader::kFlagUtf8Name)) name = text::FromGb(name);
    if (!IsSafeRelativePath(name) || info.uncompressedSize > maxBytes)
      throw CZipException(CZipException::kErrorBadArchive, packagePath);

    std::string folder = intoFolder.empty() ? FolderOf(packagePath) : intoFolder;
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    std::string target = folder + name;
    out = file::Open(target, "wb");
    if (!out) throw CFileException(target);
    outPath = target;

    zip.OpenEntry();
    std::vector<char> buffer(kExtractChunk);
    for (;;) {
      size_t n = zip.Read(buffer.data(), buffer.size());
      if (n > 0 && std::fwrite(buffer.data(), 1, n, out.get()) != n) throw CFileException(target);
      if (n < buffer.size()) break;
    }
    // A stream that ends before the entry's size is as bad as a wrong CRC.
    if (!zip.EntryFullyRead()) throw CZipException(CZipException::kErrorBadArchive, packagePath);
    if (std::fclose(out.release()) != 0) throw CFileException(target);
    filestatus::SetTimes(target, info.dosDateTime);  // cosmetic: a date the system refuses is no error
    filestatus::SetAttributes(target, info.externalAttributes);
    zip.CloseEntry();
    zip.Close();
    return filestatus::SetAttributes(target, 0) ? 0 : 1;
  } catch (const CZipException&) {
  } catch (const CFileException&) {
  }
  // A partly written or unchecked file stays for the caller to judge, but
  // never read-only, so that it can be deleted.
  out.reset();
  zip.Close();
  if (!outPath.empty()) filestatus::SetAttributes(outPath, 0);
  return 1;
}
