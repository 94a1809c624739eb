#include "common/WholeFile.h"

#include "common/File.h"
#include "common/Text.h"

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Downloaded pages and skins are small; a larger file is not one of ours.
constexpr int64_t kMaxFileBytes = 16 << 20;

}  // namespace

int CWholeFile::Load(const std::string& path) {
  Release();
  file::FilePtr f = file::Open(path, "rb");
  if (!f) return kCannotOpen;
  int64_t size = file::Size(path);
  if (size < 0 || size > kMaxFileBytes) return kSizeUnknown;
  std::string bytes(static_cast<size_t>(size), '\0');
  if (size > 0 && std::fread(&bytes[0], 1, bytes.size(), f.get()) != bytes.size()) return kReadFailed;
  SetBytes(bytes);
  return kLoaded;
}

void CWholeFile::SetBytes(std::string_view bytes) {
  size_t nul = bytes.find('\0');
  buffer_.assign(bytes.substr(0, nul == std::string_view::npos ? bytes.size() : nul));
  cursor_ = 0;
  loaded_ = true;
}

void CWholeFile::Release() {
  buffer_.clear();
  buffer_.shrink_to_fit();
  cursor_ = 0;
  loaded_ = false;
}

int CWholeFile::ReadLine(std::string& out, size_t maxLine) {
  // A break at the very start of the text would otherwise read as one empty line.
  while (cursor_ < buffer_.size() && IsLineBreak(buffer_[cursor_])) ++cursor_;
  if (cursor_ >= buffer_.size()) return 1;
  size_t end = buffer_.find_first_of("\r\n", cursor_);
  if (end == std::string::npos) end = buffer_.size();
  size_t length = end - cursor_;
  out.assign(buffer_, cursor_, length < maxLine ? length : maxLine);
  cursor_ = end;
  while (cursor_ < buffer_.size() && IsLineBreak(buffer_[cursor_])) ++cursor_;
  return 0;
}

int CWholeFile::NextContentLine(std::string& out, size_t maxLine) {
  std::string line;
  while (ReadLine(line, maxLine) == 0) {
    if (!(line.size() >= 2 && line[0] == '/' && line[1] == '/')) {
      out = std::move(line);
      return 0;
    }
  }
  return 1;
}

int CWholeFile::SeekPrefix(std::string_view key, std::string& out, size_t maxLine) {
  std::string line;
  while (ReadLine(line, maxLine) == 0) {
    if (text::StartsWithNoCase(line, key)) {
      out = std::move(line);
      return 0;
    }
  }
  return 1;
}
