// What a confirmed uninstall removes, worked out before anything is touched.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace uninstall {

// Below the uninstaller's folder, removed only when empty, in this order.
constexpr const char* kFoldersRemovedWhenEmpty[] = {"data", "help", "script"};
// The product's entry: this key's subkey named after the product, under
// HKEY_CURRENT_USER (where the setup writes it) and, from earlier
// per-machine setups, under HKEY_LOCAL_MACHINE in either registry view.
constexpr char kUninstallKeyParent[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kUninstallShortcutName[] = "卸载.lnk";

struct RemovalPlan {
  std::vector<std::string> files;         // full paths, in log order, the log itself left out
  std::vector<std::string> fileNames;     // the log's names of files, one for each path
  std::vector<std::string> skippedNames;  // log names that would leave the folder
  std::string logFile;                    // the install log, removed last
  std::vector<std::string> folders;       // removed when empty, in order
  std::vector<std::string> shortcuts;     // the desktop's, then the start menu's to the program
  // The start menu's shortcut to the uninstaller: it stays, with the log and
  // the uninstall entry, while installed files remain. "" for none.
  std::string uninstallShortcut;
  std::string startMenuFolder;  // removed when empty, after its shortcuts; "" for none
};

// folder is the uninstaller's folder with a trailing backslash; logBytes the
// install log as read ("" when there is none); desktop and
// programs the user's desktop and start-menu programs folders ("" when
// unknown: no shortcut is looked for there).
RemovalPlan PlanRemoval(const std::string& folder, std::string_view logBytes, const std::string& desktop,
                        const std::string& programs, const std::string& productName);

// What stays of the user's own after the removal (captures, plans, ledgers,
// settings), for the message that ends it: the lines that name each of them
// that exists below folder (exists gets its full path), and the capture
// folder the settings name when it is another one and exists; "" for none.
std::string KeptUserFilesNote(const std::string& folder, const std::string& captureFolder,
                              const std::function<bool(const std::string&)>& exists);

}  // namespace uninstall
