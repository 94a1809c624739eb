#include "uninstall/RemovalPlan.h"

#include "uninstall/InstallLog.h"

namespace uninstall {
namespace {

std::string Join(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') return folder + "\\" + name;
  return folder + name;
}

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// The files brova writes of the user's own, below its folder.
struct UserFile {
  const char* kind;
  const char* path;
};
constexpr UserFile kUserFiles[] = {
    {"截图", "Snapshot"},           {"计划", "data\\plan.ini"},    {"账目", "account"}, {"设置", "data\\snapshot.dat"},
    {"设置", "data\\infotool.dat"}, {"设置", "data\\show_no.ini"}, {"设置", "data3"},
};

}  // namespace

RemovalPlan PlanRemoval(const std::string& folder, std::string_view logBytes, const std::string& desktop,
                        const std::string& programs, const std::string& productName) {
  RemovalPlan plan;
  plan.logFile = Join(folder, kInstallLogName);
  for (const std::string& name : InstalledFileNames(logBytes)) {
    auto path = ResolveInstalledFile(folder, name);
    if (!path) {
      plan.skippedNames.push_back(name);
    } else if (!SameIgnoringAsciiCase(*path, plan.logFile)) {
      plan.files.push_back(*path);
      plan.fileNames.push_back(name);
    }
  }
  for (const char* sub : kFoldersRemovedWhenEmpty) plan.folders.push_back(Join(folder, sub));
  // A shell folder that could not be found names no shortcut.
  const std::string lnk = productName + ".lnk";
  if (!desktop.empty()) plan.shortcuts.push_back(Join(desktop, lnk));
  if (!programs.empty()) {
    plan.startMenuFolder = Join(programs, productName);
    plan.shortcuts.push_back(Join(plan.startMenuFolder, lnk));
    plan.uninstallShortcut = Join(plan.startMenuFolder, kUninstallShortcutName);
  }
  return plan;
}

std::string KeptUserFilesNote(const std::string& folder, const std::string& captureFolder,
                              const std::function<bool(const std::string&)>& exists) {
  std::string lines;
  std::string lastKind;
  for (const UserFile& f : kUserFiles) {
    if (!exists(Join(folder, f.path))) continue;
    if (f.kind == lastKind) {
      lines += "、" + std::string(f.path);
    } else {
      lines += "\n" + std::string(f.kind) + ": " + f.path;
      lastKind = f.kind;
    }
  }
  std::string note = lines.empty() ? "" : "你自己的文件仍保留在 " + folder + " 中:" + lines;
  if (!captureFolder.empty() && !SameIgnoringAsciiCase(captureFolder, Join(folder, "Snapshot\\")) &&
      exists(captureFolder))
    note += (note.empty() ? "" : "\n") + std::string("截图保存目录: ") + captureFolder;
  return note;
}

}  // namespace uninstall
