// The confirmed uninstall: deletes the logged files, the empty folders, the
// shortcuts and the uninstall entry. Every step goes on when one fails.
#pragma once
#include <string>

namespace uninstall {

struct RemovalResult {
  // Things that were there and still are: files the system would not delete
  // (in use, read-only, no rights), shortcuts, the registry entry.
  int left = 0;
  bool Complete() const { return left == 0; }
};

// folder: the uninstaller's own folder, with a trailing backslash.
RemovalResult RemoveProduct(const std::string& folder, const std::string& productName);

}  // namespace uninstall
