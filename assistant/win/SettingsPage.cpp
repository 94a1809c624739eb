#include "assistant/win/SettingsPage.h"

#include "common/win/SaveTexts.h"
#include "win/App.h"
#include "win/MessageBox.h"

namespace settings_page {
namespace {
constexpr int kPickerX = 28;
constexpr int kPickerY[2] = {55, 125};
constexpr int kPickerWidth = 372;
constexpr int kPickerHeight = 25;
}  // namespace

void PlacePicker(const CHotKeyPicker& picker, int row) {
  picker.Move(picker.Px(kPickerX), picker.Px(kPickerY[row]), picker.Px(kPickerWidth), picker.Px(kPickerHeight));
}

void Saved(bool written, uint32_t reloadMessage) {
  if (!written) {
    win::ShowMessage(save_text::kFailed);
    return;
  }
  win::ShowMessage(save_text::kSaved);
  PostMessageW(win::App::MainWindow(), reloadMessage, 0, 0);
}

}  // namespace settings_page
