// What the boss-key and CD-tray pages share: where their hot-key pickers sit
// and what follows a save.
#pragma once
#include <cstdint>

#include "common/win/HotKeyPicker.h"

namespace settings_page {

// Row 0 at pixel (28, 55), row 1 at (28, 125), each 372 x 25 (at 96 DPI).
void PlacePicker(const CHotKeyPicker& picker, int row);
// After a successful save: "保存成功", then the frame reloads what the page
// wrote. A failed save says so.
void Saved(bool written, uint32_t reloadMessage);

}  // namespace settings_page
