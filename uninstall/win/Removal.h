// The confirmed uninstall: deletes the logged files, the empty folders, the
// shortcuts and the uninstall entry. Every step goes on when one fails.
#pragma once
#include <string>

namespace uninstall {

struct RemovalResult {
  // Things that were there and still are: files the system would not delete
  // (in use, read-only, no rights), shortcuts, the registry entry; an
  // install log that is there but cannot be read counts as one.
  int left = 0;
  // The user's own files that stay in the folder, as the closing message
  // names them; "" for none.
  std::string keptUserFiles;
  bool Complete() const { return left == 0; }
};

// folder: the uninstaller's own folder, with a trailing backslash. While a
// logged file remains (or the log cannot be read), the log (rewritten with
// what remains), the uninstall entry and the start menu's shortcut to the
// uninstaller stay, so that a later run finishes the removal.
RemovalResult RemoveProduct(const std::string& folder, const std::string& productName);

}  // namespace uninstall
