#include "uninstall/win/Removal.h"

#include <windows.h>
#include <shlobj.h>

#include <utility>
#include <vector>

#include "capture/SnapshotSettings.h"
#include "common/File.h"
#include "common/RecordStore.h"
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
bool DeleteUninstallEntry(HKEY root, const std::string& productName, REGSAM view) {
  {
    win::RegKey parent = OpenKey(root, kUninstallKeyParent, KEY_ALL_ACCESS | view);
    if (parent) RegDeleteKeyExW(parent, text::Widen(productName).c_str(), view, 0);
  }
  return !OpenKey(root, std::string(kUninstallKeyParent) + "\\" + productName, KEY_READ | view);
}

// The entry the setup writes for the user, and those of earlier per-machine
// setups in both registry views; how many are still there.
int DeleteUninstallEntries(const std::string& productName) {
  int left = 0;
  for (auto [root, view] : {std::pair{HKEY_CURRENT_USER, REGSAM{0}},
                            {HKEY_LOCAL_MACHINE, REGSAM{KEY_WOW64_64KEY}},
                            {HKEY_LOCAL_MACHINE, REGSAM{KEY_WOW64_32KEY}}})
    if (!DeleteUninstallEntry(root, productName, view)) ++left;
  return left;
}

}  // namespace

RemovalResult RemoveProduct(const std::string& folder, const std::string& productName) {
  SetCurrentDirectoryW(text::Widen(folder).c_str());
  const std::string logPath = folder + kInstallLogName;
  std::string log;
  // Only a missing log means there is none: one that cannot be read still
  // lists files, which then stay unknown.
  const bool logPresent = file::Exists(logPath);
  const bool logUnreadable = logPresent && !file::ReadAll(logPath, log, kMaxInstallLogBytes);
  if (logUnreadable) log.clear();
  // The capture folder the user chose, read before anything is removed.
  CRecordStore<SnapshotSettings> capture(folder, kSnapshotPath);
  capture.Load();
  const RemovalPlan plan =
      PlanRemoval(folder, log, ShellFolder(CSIDL_DESKTOPDIRECTORY), ShellFolder(CSIDL_PROGRAMS), productName);
  RemovalResult result;
  std::vector<std::string> remaining;
  for (size_t i = 0; i < plan.files.size(); ++i)
    if (!DeleteIfPresent(plan.files[i])) remaining.push_back(plan.fileNames[i]);
  const bool finished = remaining.empty() && !logUnreadable;
  result.left = static_cast<int>(remaining.size()) + (logUnreadable ? 1 : 0);
  if (finished) {
    if (!DeleteIfPresent(plan.logFile)) ++result.left;
  } else if (!logUnreadable) {
    file::WriteAtomic(plan.logFile, RemainingLog(remaining));
  }
  // Folders that still hold the user's own files stay, by design.
  for (const std::string& path : plan.folders) RemoveEmptyFolder(path);
  for (const std::string& path : plan.shortcuts)
    if (!DeleteIfPresent(path)) ++result.left;
  if (finished) {
    if (!plan.uninstallShortcut.empty() && !DeleteIfPresent(plan.uninstallShortcut)) ++result.left;
    result.left += DeleteUninstallEntries(productName);
  }
  if (!plan.startMenuFolder.empty()) RemoveEmptyFolder(plan.startMenuFolder);
  result.keptUserFiles =
      KeptUserFilesNote(folder, capture.Current().folder, [](const std::string& path) { return file::Exists(path); });
  return result;
}

}  // namespace uninstall
