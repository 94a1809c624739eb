#include "online/SafePath.h"

#include "common/Text.h"

namespace {

// Windows opens these names as devices in every folder, with any extension
// and with blanks before the extension: "nul.txt" and "con .log" are the
// console and the bit bucket, not files.
bool IsDeviceName(std::string_view component) {
  std::string_view base = component.substr(0, component.find('.'));
  size_t end = base.find_last_not_of(' ');
  base = base.substr(0, end == std::string_view::npos ? 0 : end + 1);
  for (const char* device : {"con", "nul", "aux", "prn", "conin$", "conout$"})
    if (text::EqualsNoCase(base, device)) return true;
  if (base.size() == 4 && base[3] >= '1' && base[3] <= '9')
    return text::EqualsNoCase(base.substr(0, 3), "com") || text::EqualsNoCase(base.substr(0, 3), "lpt");
  return false;
}

}  // namespace

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
    if (IsDeviceName(component)) return false;
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}
