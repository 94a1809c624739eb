#include "online/SafePath.h"

bool IsSafeRelativePath(std::string_view path) {
  if (path.empty()) return false;
  size_t start = 0;
  for (;;) {
    size_t end = path.find_first_of("\\/", start);
    std::string_view component = path.substr(start, end == std::string_view::npos ? path.npos : end - start);
    size_t meaningful = component.find_last_not_of(". ");
    if (meaningful == std::string_view::npos) return false;  // "", ".", "..", "... "
    for (char c : component)
      if (c == ':' || static_cast<unsigned char>(c) < 0x20) return false;
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}
