// Forward-only reader of a section file kept as raw bytes ("data\main2.htm",
// "data\config.dat"). Lines are delivered unchanged (not trimmed, GBK bytes as
// in the file) and keys match as a line prefix without ASCII case. The cursor
// only moves forward, so keys must be asked for in file order.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

class CWholeFile {
 public:
  // Longest line delivered; the rest of a longer line is skipped.
  static constexpr size_t kMaxLine = 1000 - 1;

  enum LoadResult { kLoaded = 0, kCannotOpen = 1, kSizeUnknown = 2, kReadFailed = 3 };
  // One of LoadResult. Any earlier content is released first.
  int Load(const std::string& path);
  // The same from bytes already in memory.
  void SetBytes(std::string_view bytes);

  void Rewind() { cursor_ = 0; }

  // 0 and the next line; 1 at the end. A NUL byte ends the text; any run of
  // CR and LF is one line break.
  int ReadLine(std::string& out, size_t maxLine = kMaxLine);
  // As ReadLine, skipping lines that begin with "//".
  int NextContentLine(std::string& out, size_t maxLine = kMaxLine);
  // Reads on until a line begins with key (ASCII case ignored): 0 with that
  // line in out and the cursor after it; 1 at the end.
  int SeekPrefix(std::string_view key, std::string& out, size_t maxLine = kMaxLine);

  void Release();
  bool Loaded() const { return loaded_; }

 private:
  std::string buffer_;
  size_t cursor_ = 0;
  bool loaded_ = false;
};
