#include "common/SectionFile.h"

#include "common/File.h"
#include "common/Text.h"

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsComment(const std::string& line) { return line.size() >= 2 && line[0] == '/' && line[1] == '/'; }

// Section files are small hand-edited or downloaded pages.
constexpr uint64_t kMaxFileBytes = 16u << 20;

}  // namespace

int CSectionFile::Load(const std::string& path) {
  text_.clear();
  cursor_ = 0;
  std::string bytes;
  if (!file::ReadAll(path, bytes, kMaxFileBytes)) return 1;
  SetBytes(bytes);
  return 0;
}

void CSectionFile::SetBytes(std::string_view gbBytes) {
  size_t nul = gbBytes.find('\0');
  if (nul != std::string_view::npos) gbBytes = gbBytes.substr(0, nul);
  text_ = text::FromGb(gbBytes);
  cursor_ = 0;
}

int CSectionFile::NextLine(std::string& out) {
  // A break at the very start of the text would otherwise read as one empty line.
  while (cursor_ < text_.size() && IsLineBreak(text_[cursor_])) ++cursor_;
  if (cursor_ >= text_.size()) return 1;
  size_t end = text_.find_first_of("\r\n", cursor_);
  if (end == std::string::npos) end = text_.size();
  std::string_view line(text_.data() + cursor_, end - cursor_);
  cursor_ = end;
  while (cursor_ < text_.size() && IsLineBreak(text_[cursor_])) ++cursor_;
  out = text::Trim(line);
  return 0;
}

int CSectionFile::NextContentLine(std::string& out) {
  std::string line;
  while (NextLine(line) == 0) {
    if (!IsComment(line)) {
      out = std::move(line);
      return 0;
    }
  }
  return 1;
}

int CSectionFile::FindLine(std::string_view key, std::string& out) {
  std::string line;
  while (NextLine(line) == 0) {
    if (text::EqualsNoCase(line, key)) {
      out = std::move(line);
      return 0;
    }
  }
  return 1;
}

std::string CSectionFile::GetValue(std::string_view key) {
  Rewind();
  std::string line;
  if (FindLine(key, line) != 0) return "";
  std::string value;
  if (NextContentLine(value) != 0) return "";
  return value;
}

int CSectionFile::ReadList(std::string_view begin, std::string_view end, std::vector<std::string>& out,
                           int capacity) {
  out.clear();
  Rewind();
  std::string line;
  if (FindLine(begin, line) != 0) return 0;
  while (static_cast<int>(out.size()) < capacity) {
    if (NextContentLine(line) != 0) break;
    if (line == end) break;
    out.push_back(line);
  }
  return static_cast<int>(out.size());
}
