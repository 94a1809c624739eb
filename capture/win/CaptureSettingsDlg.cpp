#include "capture/win/CaptureSettingsDlg.h"

#include <shlobj.h>

#include "capture/win/CaptureSettingsStore.h"
#include "common/FrameMessages.h"
#include "common/win/ProgramFolder.h"
#include "resources/capture_ids.h"
#include "win/App.h"
#include "win/Controls.h"
#include "win/Dpi.h"
#include "win/MessageBox.h"

namespace {
constexpr int kButtonIds[3] = {IDC_CAPTURE_FULL, IDC_CAPTURE_WINDOW, IDC_CAPTURE_REGION};
constexpr int kButtonX = 15;
constexpr int kButtonY[3] = {18, 46, 74};
constexpr int kButtonWidth = 85;
constexpr int kRowHeight = 20;
constexpr int kPickerX = 105;
constexpr int kPickerWidth = 330;
const char kSavedText[] = "保存成功";
const char kBrowseTitle[] = "请选择目录";
}  // namespace

CCaptureSettingsDlg::CCaptureSettingsDlg() : Dialog(IDD_CAPTURE_SETTINGS) {}

BOOL CCaptureSettingsDlg::OnInitDialog() {
  EnterProgramFolder();
  LoadSnapshotSettings(capture_settings::kPath, ProgramFolder(), settings_);
  HotKey* records[3] = {&settings_.fullScreen, &settings_.window, &settings_.region};
  for (int i = 0; i < 3; ++i) {
    pickers_[i].Bind(records[i]);
    pickers_[i].Create(hwnd_);
  }
  Layout();
  win::Button(hwnd_, IDC_TO_CLIPBOARD).SetCheck(settings_.toClipboard != 0);
  win::Button(hwnd_, IDC_TO_FILE).SetCheck(settings_.toFile != 0);
  win::Edit(hwnd_, IDC_SAVE_FOLDER).SetText(settings_.folder);
  background_.reset(CreateSolidBrush(RGB(255, 255, 255)));
  // On its own it stands in the middle of the screen; a hosting window places it.
  if (IsModal()) CenterOnDesktop();
  return TRUE;
}

void CCaptureSettingsDlg::Layout() {
  auto px = [this](int v) { return win::Scale(hwnd_, v); };
  for (int i = 0; i < 3; ++i) {
    MoveWindow(Item(kButtonIds[i]), px(kButtonX), px(kButtonY[i]), px(kButtonWidth), px(kRowHeight), TRUE);
    if (pickers_[i].hwnd())
      MoveWindow(pickers_[i].hwnd(), px(kPickerX), px(kButtonY[i]), px(kPickerWidth), px(kRowHeight), TRUE);
  }
  // The hot keys are not edited on this page.
  for (int i = 0; i < 3; ++i) {
    ShowWindow(Item(kButtonIds[i]), SW_HIDE);
    if (!pickers_[i].hwnd()) continue;
    pickers_[i].Show(SW_HIDE);
    MoveWindow(pickers_[i].hwnd(), 0, 0, 0, 0, TRUE);
    pickers_[i].HideControls();
  }
}

void CCaptureSettingsDlg::OnSize(UINT type, int cx, int cy) { Layout(); }

HBRUSH CCaptureSettingsDlg::OnCtlColor(HDC dc, HWND control, int type) {
  if (type == CTLCOLOR_STATIC || type == CTLCOLOR_DLG || type == CTLCOLOR_BTN) SetBkColor(dc, RGB(255, 255, 255));
  return background_ ? background_.get() : nullptr;
}

bool CCaptureSettingsDlg::PreTranslateMessage(MSG& msg) {
  // Neither key closes the page; it closes through a save or its host.
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) return true;
  return Dialog::PreTranslateMessage(msg);
}

bool CCaptureSettingsDlg::OnCommand(int id, int code, HWND control) {
  if (code == BN_CLICKED && id == IDC_BROWSE) {
    Browse();
    return true;
  }
  if (code == BN_CLICKED && id == IDC_SAVE_SETTINGS) {
    Save();
    return true;
  }
  return Dialog::OnCommand(id, code, control);
}

void CCaptureSettingsDlg::Browse() {
  std::wstring title = text::Widen(kBrowseTitle);
  BROWSEINFOW bi{};
  bi.hwndOwner = hwnd_;
  bi.lpszTitle = title.c_str();
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&bi);
  if (item) {
    std::wstring path(MAX_PATH, L'\0');
    if (SHGetPathFromIDListW(item, &path[0])) {
      path.resize(wcslen(path.c_str()));
      win::Edit(hwnd_, IDC_SAVE_FOLDER).SetText(text::Narrow(path));
    }
    CoTaskMemFree(item);
  }
  EnterProgramFolder();
}

void CCaptureSettingsDlg::Save() {
  win::Edit folderEdit(hwnd_, IDC_SAVE_FOLDER);
  std::string folder;
  switch (CheckSaveFolder(folderEdit.Text(), folder)) {
    case SaveFolderCheck::kInvalid:
      win::ShowMessage(kSaveFolderInvalidText);
      return;
    case SaveFolderCheck::kTooLong:
      folderEdit.SetText(folder);
      win::ShowMessage(kSaveFolderTooLongText);
      return;
    case SaveFolderCheck::kOk:
      break;
  }
  folderEdit.SetText(folder);
  for (const CHotKeyPicker& picker : pickers_) picker.Save();
  settings_.toClipboard = win::Button(hwnd_, IDC_TO_CLIPBOARD).Checked() ? 1 : 0;
  settings_.toFile = win::Button(hwnd_, IDC_TO_FILE).Checked() ? 1 : 0;
  settings_.folder = folder;
  EnterProgramFolder();
  if (!SaveSnapshotSettings(capture_settings::kPath, settings_)) return;
  capture_settings::Reload();
  PostMessageW(win::App::MainWindow(), frame_msg::kReloadHotKeys, 0, 0);
  win::ShowMessage(kSavedText);
  EndDialog(IDOK);
}
