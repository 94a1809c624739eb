#include "common/File.h"

namespace file {

bool ReadAll(const std::string& path, std::string& out, uint64_t maxBytes) {
  FilePtr f = Open(path, "rb");
  if (!f) return false;
  out.clear();
  int64_t size = Size(path);
  if (size > 0 && static_cast<uint64_t>(size) <= maxBytes) out.reserve(static_cast<size_t>(size));
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0) {
    if (out.size() + n > maxBytes) return false;
    out.append(buf, n);
  }
  return !std::ferror(f.get());
}

}  // namespace file
