#include "app/win/ToolMenu.h"

#include <windows.h>

#include <string>

#include "assistant/win/RegistryKey.h"
#include "common/File.h"
#include "common/win/ProgramFolder.h"
#include "common/win/Shell.h"
#include "online/Site.h"
#include "resources/app_ids.h"
#include "win/MessageBox.h"

namespace {

// The maker's other applications: where their installers record the folder,
// and their program files.
struct Sibling {
  int command;
  const char* key;
  const char* program;
};
const Sibling kSiblings[] = {
    {ID_SIBLING_QUENRA, "software\\lomondix\\mk", "morvik.exe"},
    {ID_SIBLING_TESMOR, "software\\lomondix\\sweepa", "sweepa.exe"},
    {ID_SIBLING_LIRUNE, "software\\lomondix\\lectra", "lectra.exe"},
    {ID_SIBLING_PAVOLI, "software\\lomondix\\imgrola", "slidro.exe"},
    {ID_SIBLING_PAGORIN, "software\\lomondix\\webvelo", "webvelo.exe"},
};

const char kScannerPath[] = "procwatch\\procwatch.exe";

// The folder a sibling's installer recorded under its key (value "path",
// ending with a backslash), or "". The siblings' installers are 32-bit and
// write to the 32-bit view, where our earlier 32-bit builds also looked (and
// created the key); a 64-bit installer's key in the 64-bit view counts too.
std::string SiblingFolder(const char* keyPath) {
  CRegistryKey key;
  key.SetRoot(HKEY_LOCAL_MACHINE);
  key.SetView(KEY_WOW64_32KEY);
  // Opening with full access fails for users who may not change the machine's
  // keys; they can still read where the sibling is installed.
  std::string folder;
  if (key.Open(keyPath, 1) || key.OpenForReading(keyPath)) folder = key.ReadString("path", "");
  if (!folder.empty()) return folder;
  key.SetView(KEY_WOW64_64KEY);
  return key.OpenForReading(keyPath) ? key.ReadString("path", "") : "";
}

void StartSibling(const Sibling& sibling) {
  std::string folder = SiblingFolder(sibling.key);
  if (!folder.empty()) {
    std::string program = folder + sibling.program;
    if (file::Exists(program) && !file::IsDirectory(program)) {
      OpenWithShell(program);
      return;
    }
  }
  win::ShowMessage("本机还未安装本软件,你可以到官网去下载此软件.", MB_OK);
  OpenWithShell(SiteBaseUrl());
}

}  // namespace

bool RunToolMenuCommand(int id) {
  switch (id) {
    case ID_TOOL_NOTEPAD:
      OpenWithShell("notepad.exe", "", "C:\\");
      return true;
    case ID_TOOL_CALC:
      OpenWithShell("calc.exe");
      return true;
    case ID_TOOL_PAINT:
      OpenWithShell("mspaint.exe");
      return true;
  }
  for (const Sibling& s : kSiblings) {
    if (s.command == id) {
      StartSibling(s);
      return true;
    }
  }
  return false;
}

void RunProcessScanner() {
  const std::string scanner = InProgramFolder(kScannerPath);
  if (file::Exists(scanner)) {
    win::ShowMessage("说明\r\n\r\n本软件将扫描当前所有正在运行的软件,有可能会被你安装的杀毒软件误报为病毒", MB_OK);
    OpenWithShell(scanner, "from_sweepa");
    return;
  }
  win::ShowMessage(
      "你的版本不支持此功能,请稍候重新启动软件试一试.\r\n若多次重启还不能使用此功能,请从官网下载最新版本软件.\r\n官网 " +
          SiteBaseUrl(),
      MB_OK);
}
