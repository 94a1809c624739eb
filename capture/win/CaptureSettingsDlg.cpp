#include "capture/win/CaptureSettingsDlg.h"

#include <shlobj.h>

#include "common/FrameMessages.h"
#include "common/Text.h"
#include "common/win/Palette.h"
#include "common/win/ProgramFolder.h"
#include "common/win/SaveTexts.h"
#include "resources/capture_ids.h"
#include "win/App.h"
#include "win/Controls.h"
#include "win/MessageBox.h"

namespace {
constexpr int kButtonIds[3] = {IDC_CAPTURE_FULL, IDC_CAPTURE_WINDOW, IDC_CAPTURE_REGION};
constexpr int kButtonX = 15;
constexpr int kButtonY[3] = {18, 46, 74};
constexpr int kButtonWidth = 85;
constexpr int kRowHeight = 20;
constexpr int kPickerX = 105;
constexpr int kPickerWidth = 330;
const char kBrowseTitle[] = "请选择目录";
}  // namespace

CCaptureSettingsDlg::CCaptureSettingsDlg(CCaptureSettingsStore& store) : Dialog(IDD_CAPTURE_SETTINGS), store_(store) {}

BOOL CCaptureSettingsDlg::OnInitDialog() {
  settings_ = store_.Current();
  HotKey* records[3] = {&settings_.fullScreen, &settings_.window, &settings_.region};
  for (int i = 0; i < 3; ++i) {
    pickers_[i].Bind(records[i]);
    pickers_[i].Create(hwnd_);
  }
  Layout();
  win::Button(hwnd_, IDC_TO_CLIPBOARD).SetCheck(settings_.toClipboard != 0);
  win::Button(hwnd_, IDC_TO_FILE).SetCheck(settings_.toFile != 0);
  win::Edit(hwnd_, IDC_SAVE_FOLDER).SetText(settings_.folder);
  SetColors(palette::kText, palette::kWhite);
  // On its own it stands in the middle of the screen; a hosting window places it.
  if (IsModal()) CenterOnDesktop();
  return TRUE;
}

void CCaptureSettingsDlg::Layout() {
  for (int i = 0; i < 3; ++i) {
    MoveWindow(Item(kButtonIds[i]), Px(kButtonX), Px(kButtonY[i]), Px(kButtonWidth), Px(kRowHeight), TRUE);
    if (pickers_[i].hwnd())
      MoveWindow(pickers_[i].hwnd(), Px(kPickerX), Px(kButtonY[i]), Px(kPickerWidth), Px(kRowHeight), TRUE);
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

bool CCaptureSettingsDlg::PreTranslateMessage(MSG& msg) {
  // Neither key closes the page; it closes through a save or its host.
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) return true;
  return Dialog::PreTranslateMessage(msg);
}

bool CCaptureSettingsDlg::OnButtonClicked(int id) {
  if (id == IDC_BROWSE)
    Browse();
  else if (id == IDC_SAVE_SETTINGS)
    Save();
  else
    return Dialog::OnButtonClicked(id);
  return true;
}

void CCaptureSettingsDlg::Browse() {
  const std::wstring title = text::Widen(kBrowseTitle);
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
  if (!store_.Save(settings_)) {
    win::ShowMessage(save_text::kFailed);
    return;
  }
  // The frame hands the store's new values to the hot keys and the captures.
  PostMessageW(win::App::MainWindow(), frame_msg::kReloadHotKeys, 0, 0);
  win::ShowMessage(save_text::kSaved);
  EndDialog(IDOK);
}
