// What a confirmed uninstall removes, worked out before anything is touched.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace uninstall {

// Below the uninstaller's folder, removed only when empty, in this order.
constexpr const char* kFoldersRemovedWhenEmpty[] = {"data", "help", "script"};
// The product's entry under HKEY_LOCAL_MACHINE: this key's subkey named
// after the product.
constexpr char kUninstallKeyParent[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kUninstallShortcutName[] = "卸载.lnk";

struct RemovalPlan {
  std::vector<std::string> files;         // full paths, in log order
  std::vector<std::string> skippedNames;  // log names that would leave the folder
  std::vector<std::string> folders;       // removed when empty, in order
  std::vector<std::string> shortcuts;     // desktop, then the start menu's two
  std::string startMenuFolder;            // removed when empty, after its shortcuts; "" for none
};

// folder is the uninstaller's folder with a trailing backslash; logBytes the
// install log as read ("" when there is none); desktop and
// programs the user's desktop and start-menu programs folders ("" when
// unknown: no shortcut is looked for there).
RemovalPlan PlanRemoval(const std::string& folder, std::string_view logBytes, const std::string& desktop,
                        const std::string& programs, const std::string& productName);

}  // namespace uninstall
