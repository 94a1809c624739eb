#include "assistant/win/StartupPage.h"

#include "assistant/win/RegistryKey.h"
#include "common/File.h"
#include "common/FolderPath.h"
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

// The Run key of the machine, or false when it cannot be opened (no rights).
bool OpenRunKey(CRegistryKey& key) {
  key.SetRoot(HKEY_LOCAL_MACHINE);
  return key.Open(kRunKey, 1) != 0;
}
}  // namespace

CStartupPage::CStartupPage() : Dialog(IDD_STARTUP_PAGE) {}

BOOL CStartupPage::OnInitDialog() {
  CRegistryKey key;
  if (OpenRunKey(key) && key.ReadString(kRunValue, kNoValue) != kNoValue)
    win::Button(hwnd_, IDC_STARTUP_RUN).SetCheck(true);
  win::Button(hwnd_, IDC_STARTUP_SHOW_CENTER).SetCheck(!file::Exists(ProgramFolder() + kMarker));
  return TRUE;
}

bool CStartupPage::OnButtonClicked(int id) {
  if (id == IDC_STARTUP_RUN) {
    if (!win::Button(hwnd_, IDC_STARTUP_RUN).Checked()) win::ShowMessage(kRunClearedWarning);
    return true;
  }
  return Dialog::OnButtonClicked(id);
}

void CStartupPage::OnOK() {
  const std::string folder = ProgramFolder();
  CRegistryKey key;
  // A command too long for the registry text is refused and the value stays.
  bool saved = OpenRunKey(key);
  if (saved) {
    if (win::Button(hwnd_, IDC_STARTUP_RUN).Checked())
      saved = key.WriteString(kRunValue, "\"" + folder + "velmo.exe\"") != 0;
    else
      saved = key.DeleteValue(kRunValue) != 0 || key.ValueType(kRunValue) == 0;
  }
  const std::string marker = folder + kMarker;
  if (win::Button(hwnd_, IDC_STARTUP_SHOW_CENTER).Checked()) {
    saved = (file::Remove(marker) || !file::Exists(marker)) && saved;
  } else {
    MakeFolderPath(marker);
    saved = file::Open(marker, "wb") != nullptr && saved;
  }
  // What could not be written is not reported as saved.
  win::ShowMessage(saved ? save_text::kSaved : save_text::kFailed);
}
