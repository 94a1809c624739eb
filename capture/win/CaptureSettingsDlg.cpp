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
const char kQualityRangeText[] = "JPEG 质量应在 1 到 100 之间";
const char kDelayRangeText[] = "延时应在 0 到 30 秒之间";
// The lists' entries, in the order of the enumerations.
const char* const kFormatTexts[] = {"BMP", "PNG", "JPEG"};
const CaptureFormat kFormats[] = {CaptureFormat::kBmp, CaptureFormat::kPng, CaptureFormat::kJpeg};
const char* const kScreensTexts[] = {"主屏幕", "全部屏幕", "鼠标所在屏幕"};
const CaptureScreens kScreens[] = {CaptureScreens::kPrimary, CaptureScreens::kAll, CaptureScreens::kCursor};
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
  ShowOptions(store_.Options());
  SetColors(palette::kText, palette::kWhite);
  // On its own it stands in the middle of the screen; a hosting window places it.
  if (IsModal()) CenterOnDesktop();
  OnClick(IDC_BROWSE, [this] { Browse(); });
  OnClick(IDC_SAVE_SETTINGS, [this] { Save(); });
  return TRUE;
}

void CCaptureSettingsDlg::ShowOptions(const CaptureOptions& options) {
  win::ComboBox format(hwnd_, IDC_CAPTURE_FORMAT), screens(hwnd_, IDC_CAPTURE_SCREENS);
  format.Reset();
  screens.Reset();
  for (int i = 0; i < 3; ++i) {
    format.AddString(kFormatTexts[i]);
    screens.AddString(kScreensTexts[i]);
    if (kFormats[i] == options.format) format.SetCurSel(i);
    if (kScreens[i] == options.screens) screens.SetCurSel(i);
  }
  win::Edit(hwnd_, IDC_JPEG_QUALITY).SetText(std::to_string(options.jpegQuality));
  win::Edit(hwnd_, IDC_CAPTURE_DELAY).SetText(std::to_string(options.delaySeconds));
}

bool CCaptureSettingsDlg::ReadOptions(CaptureOptions& options) {
  const int format = win::ComboBox(hwnd_, IDC_CAPTURE_FORMAT).CurSel();
  const int screens = win::ComboBox(hwnd_, IDC_CAPTURE_SCREENS).CurSel();
  options.format = format >= 0 && format < 3 ? kFormats[format] : CaptureFormat::kBmp;
  options.screens = screens >= 0 && screens < 3 ? kScreens[screens] : CaptureScreens::kPrimary;
  options.jpegQuality = BoundedNumber(win::Edit(hwnd_, IDC_JPEG_QUALITY).Text(), CaptureOptions::kMinQuality,
                                      CaptureOptions::kMaxQuality, -1);
  if (options.jpegQuality < 0) {
    win::ShowMessage(kQualityRangeText);
    return false;
  }
  options.delaySeconds =
      BoundedNumber(win::Edit(hwnd_, IDC_CAPTURE_DELAY).Text(), 0, CaptureOptions::kMaxDelaySeconds, -1);
  if (options.delaySeconds < 0) {
    win::ShowMessage(kDelayRangeText);
    return false;
  }
  return true;
}

void CCaptureSettingsDlg::Layout() {
  for (int i = 0; i < 3; ++i) {
    PlaceItem(kButtonIds[i], {kButtonX, kButtonY[i], kButtonX + kButtonWidth, kButtonY[i] + kRowHeight});
    if (pickers_[i].hwnd()) pickers_[i].Move(Px(kPickerX), Px(kButtonY[i]), Px(kPickerWidth), Px(kRowHeight));
  }
  // The hot keys are not edited on this page.
  for (int i = 0; i < 3; ++i) {
    ShowWindow(Item(kButtonIds[i]), SW_HIDE);
    if (!pickers_[i].hwnd()) continue;
    pickers_[i].Show(SW_HIDE);
    pickers_[i].Move(0, 0, 0, 0);
    pickers_[i].HideControls();
  }
}

bool CCaptureSettingsDlg::PreTranslateMessage(MSG& msg) {
  // Neither key closes the page; it closes through a save or its host.
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) return true;
  return Dialog::PreTranslateMessage(msg);
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
  CaptureOptions options;
  if (!ReadOptions(options)) return;
  for (const CHotKeyPicker& picker : pickers_) picker.Save();
  settings_.toClipboard = win::Button(hwnd_, IDC_TO_CLIPBOARD).Checked() ? 1 : 0;
  settings_.toFile = win::Button(hwnd_, IDC_TO_FILE).Checked() ? 1 : 0;
  settings_.folder = folder;
  if (!store_.Save(settings_) || !store_.SaveOptions(options)) {
    win::ShowMessage(save_text::kFailed);
    return;
  }
  // The frame hands the store's new values to the hot keys and the captures.
  PostMessageW(win::App::MainWindow(), frame_msg::kReloadHotKeys, 0, 0);
  win::ShowMessage(save_text::kSaved);
  EndDialog(IDOK);
}
