#include "uninstall/RemovalPlan.h"

#include "uninstall/InstallLog.h"

namespace uninstall {
namespace {

std::string Join(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') return folder + "\\" + name;
  return folder + name;
}

}  // namespace

RemovalPlan PlanRemoval(const std::string& folder, std::string_view logBytes, const std::string& desktop,
                        const std::string& programs, const std::string& productName) {
  RemovalPlan plan;
  for (const std::string& name : InstalledFileNames(logBytes)) {
    if (auto path = ResolveInstalledFile(folder, name))
      plan.files.push_back(*path);
    else
      plan.skippedNames.push_back(name);
  }
  for (const char* sub : kFoldersRemovedWhenEmpty) plan.folders.push_back(Join(folder, sub));
  // A shell folder that could not be found names no shortcut.
  const std::string lnk = productName + ".lnk";
  if (!desktop.empty()) plan.shortcuts.push_back(Join(desktop, lnk));
  if (!programs.empty()) {
    plan.startMenuFolder = Join(programs, productName);
    plan.shortcuts.push_back(Join(plan.startMenuFolder, lnk));
    plan.shortcuts.push_back(Join(plan.startMenuFolder, kUninstallShortcutName));
  }
  return plan;
}

}  // namespace uninstall
