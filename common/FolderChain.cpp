#include "common/FolderChain.h"

#include "common/File.h"

std::vector<std::string> FolderChainPrefixes(const std::string& path) {
  std::vector<std::string> prefixes;
  for (size_t i = path.find('\\', 3); i != std::string::npos; i = path.find('\\', i + 1))
    prefixes.push_back(path.substr(0, i + 1));
  return prefixes;
}

void CreateFolderChain(const std::string& path) {
  for (const std::string& folder : FolderChainPrefixes(path)) file::CreateDir(folder);
}
