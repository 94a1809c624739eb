#include "uninstall/win/Removal.h"

#include <windows.h>
#include <shlobj.h>

#include "common/File.h"
#include "common/Text.h"
#include "uninstall/InstallLog.h"
#include "uninstall/RemovalPlan.h"
#include "win/Handles.h"

namespace uninstall {
namespace {

std::string ShellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};  // the size SHGetFolderPathW fixes
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return std::string();
  return text::Narrow(path);
}

bool RemoveEmptyFolder(const std::string& path) { return RemoveDirectoryW(text::Widen(path).c_str()) != 0; }

// Deletes a file; false when it is still there afterwards.
bool DeleteIfPresent(const std::string& path) { return file::Remove(path) || !file::Exists(path); }

win::RegKey OpenKey(HKEY root, const std::string& path, REGSAM access) {
  win::RegKey key;
  if (RegOpenKeyExW(root, text::Widen(path).c_str(), 0, access, key.Receive()) != ERROR_SUCCESS) key.release();
  return key;
}

// The product's key below the uninstall list, in one registry view; false
// when it is still there afterwards.
bool DeleteUninstallEntry(const std::string& productName, REGSAM view) {
  {
    win::RegKey parent = OpenKey(HKEY_LOCAL_MACHINE, kUninstallKeyParent, KEY_ALL_ACCESS | view);
    if (parent) RegDeleteKeyExW(parent, text::Widen(productName).c_str(), view, 0);
  }
  return !OpenKey(HKEY_LOCAL_MACHINE, std::string(kUninstallKeyParent) + "\\" + productName, KEY_READ | view);
}

}  // namespace

RemovalResult RemoveProduct(const std::string& folder, const std::string& productName) {
  SetCurrentDirectoryW(text::Widen(folder).c_str());
  std::string log;
  if (!file::ReadAll(folder + kInstallLogName, log, kMaxInstallLogBytes)) log.clear();
  const RemovalPlan plan = PlanRemoval(folder, log, ShellFolder(CSIDL_DESKTOPDIRECTORY),
                                       ShellFolder(CSIDL_PROGRAMS), productName);
  RemovalResult result;
  for (const std::string& path : plan.files)
    if (!DeleteIfPresent(path)) ++result.left;
  // Folders that still hold the user's own files stay, by design.
  for (const std::string& path : plan.folders) RemoveEmptyFolder(path);
  for (const std::string& path : plan.shortcuts)
    if (!DeleteIfPresent(path)) ++result.left;
  if (!plan.startMenuFolder.empty()) RemoveEmptyFolder(plan.startMenuFolder);
  if (!DeleteUninstallEntry(productName, KEY_WOW64_64KEY)) ++result.left;
  // An older installer of ours wrote the entry in the 32-bit view.
  if (!DeleteUninstallEntry(productName, KEY_WOW64_32KEY)) ++result.left;
  return result;
}

}  // namespace uninstall
