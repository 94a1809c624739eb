#include "common/File.h"

#include "common/TempFile.h"

namespace file {

bool ReadAll(const std::string& path, std::string& out, uint64_t maxBytes) {
  FilePtr f = Open(path, "rb");
  if (!f) return false;
  out.clear();
  int64_t size = Size(path);
  if (size > 0 && static_cast<uint64_t>(size) > maxBytes) return false;  // not read at all
  if (size > 0) out.reserve(static_cast<size_t>(size));
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0) {
    if (out.size() + n > maxBytes) return false;
    out.append(buf, n);
  }
  return !std::ferror(f.get());
}

namespace {

bool AllDigits(std::string_view s) {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

bool WriteAtomic(const std::string& path, std::string_view data) {
  CTempFile temp(path);
  return temp && temp.Write(data.data(), data.size()) && temp.Close(true) && temp.ReplaceOver(path);
}

void RemoveStaleTemps(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string prefix = path.substr(folder.size()) + ".tmp";
  for (const std::string& name : ListFiles(folder.empty() ? std::string(".\\") : folder, "")) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    std::string_view rest = std::string_view(name).substr(prefix.size());
    size_t under = rest.find('_');
    if (under != std::string_view::npos && AllDigits(rest.substr(0, under)) && AllDigits(rest.substr(under + 1)))
      Remove(folder + name);
  }
}

}  // namespace file
