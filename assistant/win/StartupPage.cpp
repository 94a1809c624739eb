#include "assistant/win/StartupPage.h"

#include "assistant/win/RegistryKey.h"
#include "common/File.h"
#include "common/FolderPath.h"
#include "common/Text.h"
#include "common/win/ProgramFolder.h"
#include "common/win/SaveTexts.h"
#include "resources/assistant_ids.h"
#include "win/Controls.h"
#include "win/MessageBox.h"

namespace {
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValue[] = "vq09";
const char kNoValue[] = "null";
const char kMarker[] = "data\\show_no.ini";
const char kRunClearedWarning[] = "提示:\r\n如果取消本选项,软件的某些功能将不能正常使用.";

// Why the Run value could not be saved.
const char kCommandTooLong[] =
    "保存失败:程序所在文件夹的路径太长,启动命令超过254个字符,无法写入启动项.\r\n"
    "请把软件安装到路径较短的文件夹.";
const char kNoRights[] = "保存失败:没有修改启动项(注册表 HKEY_LOCAL_MACHINE)的权限.\r\n请以管理员身份运行后再保存.";

// The Run key of the machine, or false when it cannot be opened (no rights).
bool OpenRunKey(CRegistryKey& key) {
  key.SetRoot(HKEY_LOCAL_MACHINE);
  return key.Open(kRunKey, 1) != 0;
}

// Writes or deletes the Run value; the text naming why it failed, or null.
const char* SaveRunValue(bool run, const std::string& command) {
  // The registry text holds at most this many characters: a longer command is never written.
  if (run && text::Widen(command).size() > CRegistryKey::kMaxTextChars) return kCommandTooLong;
  CRegistryKey key;
  if (!OpenRunKey(key)) {
    // Without the rights to change the key, a value that is already as
    // asked needs no change.
    CRegistryKey reader;
    reader.SetRoot(HKEY_LOCAL_MACHINE);
    bool present = reader.OpenForReading(kRunKey) && reader.ValueType(kRunValue) != 0;
    bool asAsked = run ? present && reader.ReadString(kRunValue, kNoValue) == command : !present;
    return asAsked ? nullptr : kNoRights;
  }
  if (run) return key.WriteString(kRunValue, command) ? nullptr : kNoRights;
  return key.DeleteValue(kRunValue) || key.ValueType(kRunValue) == 0 ? nullptr : kNoRights;
}
}  // namespace

CStartupPage::CStartupPage() : Dialog(IDD_STARTUP_PAGE) {}

BOOL CStartupPage::OnInitDialog() {
  CRegistryKey key;
  if (OpenRunKey(key) && key.ReadString(kRunValue, kNoValue) != kNoValue)
    win::Button(hwnd_, IDC_STARTUP_RUN).SetCheck(true);
  win::Button(hwnd_, IDC_STARTUP_SHOW_CENTER).SetCheck(!file::Exists(ProgramFolder() + kMarker));
  OnClick(IDC_STARTUP_RUN, [this] {
    if (!win::Button(hwnd_, IDC_STARTUP_RUN).Checked()) win::ShowMessage(kRunClearedWarning);
  });
  return TRUE;
}

void CStartupPage::OnOK() {
  const std::string folder = ProgramFolder();
  const char* failure = SaveRunValue(win::Button(hwnd_, IDC_STARTUP_RUN).Checked(), "\"" + folder + "velmo.exe\"");
  const std::string marker = folder + kMarker;
  bool markerSaved;
  if (win::Button(hwnd_, IDC_STARTUP_SHOW_CENTER).Checked()) {
    markerSaved = file::Remove(marker) || !file::Exists(marker);
  } else {
    MakeFolderPath(marker);
    markerSaved = file::Open(marker, "wb") != nullptr;
  }
  if (!failure && !markerSaved) failure = save_text::kFailed;
  // What could not be written is not reported as saved, and the text says why.
  win::ShowMessage(failure ? failure : save_text::kSaved);
}
