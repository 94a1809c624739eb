// Splits a launcher or menu line into fields. Every field ends with the
// separator: "a*URL*http://x*" gives three fields; text after the last
// separator is not a field. Works byte by byte, which is safe for "*" in GBK
// and UTF-8 alike (neither uses 0x2A inside a multibyte character).
#pragma once
#include <string>
#include <string_view>
#include <vector>

class CFieldList {
 public:
  // Replaces the fields; returns their count (the number of separators).
  // With trim, each field loses leading and trailing white space.
  int Split(std::string_view line, char separator, bool trim);

  int Count() const { return static_cast<int>(fields_.size()); }
  const std::string& operator[](int i) const { return fields_[static_cast<size_t>(i)]; }
  const std::vector<std::string>& Fields() const { return fields_; }

 private:
  std::vector<std::string> fields_;
};
