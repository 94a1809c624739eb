#include "common/PercentEncode.h"

#include "common/Text.h"

std::string PercentEncode(std::string_view utf8) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : text::ToGb(utf8)) {
    unsigned char b = static_cast<unsigned char>(c);
    bool keep = (b >= '0' && b <= '9') || (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
    if (keep) {
      out += c;
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  }
  return out;
}
