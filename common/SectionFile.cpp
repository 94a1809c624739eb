#include "common/SectionFile.h"

#include "common/File.h"
#include "common/Text.h"

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }
bool IsComment(const std::string& line) { return line.size() >= 2 && line[0] == '/' && line[1] == '/'; }

}  // namespace

int CSectionFile::Load(const std::string& path, uint64_t maxBytes, NulBytes nul) {
  text_.clear();
  cursor_ = 0;
  exact_ = true;
  std::string bytes;
  if (!file::ReadAll(path, bytes, maxBytes)) return 1;
  SetBytes(bytes, nul);
  return 0;
}

void CSectionFile::SetBytes(std::string_view gbBytes, NulBytes nul) {
  size_t at = gbBytes.find('\0');
  if (at != std::string_view::npos && nul == kTextEndsAtNul) gbBytes = gbBytes.substr(0, at);
  text_ = text::FromGb(gbBytes, exact_);
  if (at != std::string_view::npos && nul == kReadPastNul) {
    exact_ = false;
    std::string shown;
    shown.reserve(text_.size() + 16);
    for (char c : text_) {
      if (c)
        shown += c;
      else
        shown += "\xEF\xBF\xBD";  // U+FFFD
    }
    text_.swap(shown);
  }
  cursor_ = 0;
}

int CSectionFile::NextLine(std::string& out) {
  // A break at the very start of the text would otherwise read as one empty line.
  while (cursor_ < text_.size() && IsLineBreak(text_[cursor_])) ++cursor_;
  if (cursor_ >= text_.size()) return 1;
  size_t end = text_.find_first_of("\r\n", cursor_);
  if (end == std::string::npos) end = text_.size();
  size_t begin = cursor_;
  cursor_ = end;
  while (cursor_ < text_.size() && IsLineBreak(text_[cursor_])) ++cursor_;
  // Trimmed in place: assigning reuses out's buffer, which matters for
  // files of many thousand lines.
  while (begin < end && IsBlank(text_[begin])) ++begin;
  while (end > begin && IsBlank(text_[end - 1])) --end;
  out.assign(text_, begin, end - begin);
  return 0;
}

int CSectionFile::NextContentLine(std::string& out) {
  while (NextLine(scratch_) == 0) {
    if (!IsComment(scratch_)) {
      out.swap(scratch_);
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

std::string SectionFileText(std::initializer_list<std::pair<std::string_view, std::string>> entries) {
  std::string text;
  for (const auto& [key, value] : entries) {
    text.append(key);
    text += "\r\n" + value + "\r\n";
  }
  return text;
}
