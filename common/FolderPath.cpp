#include "common/FolderPath.h"

#include "common/File.h"

std::vector<std::string> FolderPrefixes(const std::string& path) {
  std::string p;
  p.reserve(path.size());
  for (char c : path) {
    if (c == '/') c = '\\';
    if (c == '\\' && !p.empty() && p.back() == '\\') continue;
    p += c;
  }
  std::vector<std::string> prefixes;
  size_t colon = p.find(':');
  if (colon == std::string::npos || colon == 0) return prefixes;
  for (size_t i = p.find('\\', colon); i != std::string::npos; i = p.find('\\', i + 1))
    prefixes.push_back(p.substr(0, i + 1));
  return prefixes;
}

void MakeFolderPath(const std::string& path) {
  for (const std::string& folder : FolderPrefixes(path)) file::CreateDir(folder);
}
