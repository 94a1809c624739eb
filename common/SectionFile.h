// Reader of our section files ("data\main.htm", "data\plan.ini"): lines,
// "//" comment lines, "[KEY]" lines followed by a value line, and lists that
// run from a begin line to an end line. Lines are trimmed and keys match the
// whole line without ASCII case; every lookup starts again at the top.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CSectionFile {
 public:
  // What the launcher and menu lists may hold; further entries are ignored.
  static constexpr int kListCapacity = 50;
  // Section files are small hand-edited or downloaded pages.
  static constexpr uint64_t kMaxFileBytes = 16u << 20;

  // How a NUL byte is taken: the end of the text (section files), or as
  // damage that the text reads past, shown as U+FFFD (record files, where
  // the records after it must not be lost).
  enum NulBytes { kTextEndsAtNul, kReadPastNul };

  // 0 when the file was read; 1 when it could not be opened (the text is then
  // empty). The file holds GBK/GB18030 bytes; the text is kept as UTF-8.
  int Load(const std::string& path, uint64_t maxBytes = kMaxFileBytes, NulBytes nul = kTextEndsAtNul);
  // The same from bytes already in memory.
  void SetBytes(std::string_view gbBytes, NulBytes nul = kTextEndsAtNul);
  // false when writing the text back would not give the bytes read: a NUL
  // read past, or bytes that are not GB18030.
  bool Exact() const { return exact_; }

  void Rewind() { cursor_ = 0; }

  // 0 and the next line, trimmed; 1 at the end (out unchanged). Any run of
  // CR and LF is one line break, so there are no empty lines.
  int NextLine(std::string& out);
  // As NextLine, skipping lines that begin with "//".
  int NextContentLine(std::string& out);
  // Reads on until a line equals key (ASCII case ignored): 0 with the cursor
  // just after it, 1 at the end.
  int FindLine(std::string_view key, std::string& out);

  // The first content line after the key line, or "".
  std::string GetValue(std::string_view key);

  // The content lines after the begin line (matched without case) up to the
  // end line (matched exactly), at most capacity of them. out is replaced;
  // returns the number of entries.
  int ReadList(std::string_view begin, std::string_view end, std::vector<std::string>& out,
               int capacity = kListCapacity);

  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  std::string scratch_;  // NextContentLine's line buffer, kept for reuse
  size_t cursor_ = 0;
  bool exact_ = true;
};

// The text a settings file of ours is written as: each key line, then its
// value line, in the order given, with CR LF line ends.
std::string SectionFileText(std::initializer_list<std::pair<std::string_view, std::string>> entries);
