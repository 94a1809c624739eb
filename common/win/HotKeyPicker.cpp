#include "common/win/HotKeyPicker.h"

#include "resources/capture_ids.h"
#include "win/Controls.h"

namespace {
constexpr int kKeyListWidth = 120;
constexpr int kKeyListDropHeight = 300;
constexpr int kBoxTop = 4;
constexpr int kBoxHeight = 12;
constexpr int kBoxWidth = 60;
constexpr int kBoxGap = 3;
// Left to right: Shift, Ctrl, Alt.
const int kBoxIds[3] = {IDC_PICKER_SHIFT, IDC_PICKER_CTRL, IDC_PICKER_ALT};
}  // namespace

CHotKeyPicker::CHotKeyPicker() : Dialog(IDD_HOTKEY_PICKER) {}

bool CHotKeyPicker::Create(HWND parent) {
  if (!Dialog::Create(parent)) return false;
  Show(SW_SHOW);
  return true;
}

BOOL CHotKeyPicker::OnInitDialog() {
  keys_.Attach(hwnd_, IDC_PICKER_KEY);
  for (int id : kBoxIds) win::Button(hwnd_, id).SetCheck(false);
  keys_.SelectKey(0);
  if (record_) {
    win::Button(hwnd_, IDC_PICKER_ALT).SetCheck(record_->alt != 0);
    win::Button(hwnd_, IDC_PICKER_SHIFT).SetCheck(record_->shift != 0);
    win::Button(hwnd_, IDC_PICKER_CTRL).SetCheck(record_->ctrl != 0);
    keys_.SelectKey(record_->key);
  }
  Layout();
  return TRUE;
}

void CHotKeyPicker::Layout() {
  RECT c = ClientRect();
  if (keys_.hwnd()) keys_.Move(c.left, c.top, Px(kKeyListWidth), Px(kKeyListDropHeight));
  int x = c.left + Px(kKeyListWidth + kBoxGap);
  for (int id : kBoxIds) {
    MoveWindow(Item(id), x, c.top + Px(kBoxTop), Px(kBoxWidth), Px(kBoxHeight), TRUE);
    x += Px(kBoxWidth + kBoxGap);
  }
}

bool CHotKeyPicker::PreTranslateMessage(MSG& msg) {
  // Enter and Escape must not close the page that holds the picker.
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) return true;
  return Dialog::PreTranslateMessage(msg);
}

void CHotKeyPicker::Save() const {
  if (!record_ || !hwnd_) return;
  record_->alt = win::Button(hwnd_, IDC_PICKER_ALT).Checked() ? 1 : 0;
  record_->ctrl = win::Button(hwnd_, IDC_PICKER_CTRL).Checked() ? 1 : 0;
  record_->shift = win::Button(hwnd_, IDC_PICKER_SHIFT).Checked() ? 1 : 0;
  record_->key = static_cast<uint8_t>(keys_.SelectedKey());
}

void CHotKeyPicker::HideControls() const {
  ShowWindow(keys_.hwnd(), SW_HIDE);
  for (int id : kBoxIds) ShowWindow(Item(id), SW_HIDE);
}
