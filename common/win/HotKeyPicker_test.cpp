// The hot-key picker on a real window: it shows its record, takes keys the
// way our loop hands them over, lays out its boxes and saves.
#include "common/win/HotKeyPicker.h"

#include <gtest/gtest.h>

#include <string>

#include "common/KeyNameTable.h"
#include "common/win/KeyCombo.h"
#include "resources/capture_ids.h"
#include "tests/support/Pump_windows.h"
#include "win/App.h"
#include "win/Controls.h"

namespace {

// A key press reaches the key list the way our message loop hands it over.
void PressKey(HWND target, UINT key) {
  MSG msg{};
  msg.hwnd = target;
  msg.message = WM_KEYDOWN;
  msg.wParam = key;
  win::App::PumpMessage(msg);
}

std::string SelectedName(HWND combo) {
  return CKeyNameTable::Get().Name(static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)));
}

TEST(HotKeyPicker, ShowsEditsAndSavesItsRecord) {
  CTestHost host(500, 100);
  HotKey record{0x31, 1, 1, 0};
  CHotKeyPicker picker;
  picker.Bind(&record);
  ASSERT_TRUE(picker.Create(host.hwnd()));
  HWND keys = picker.Item(IDC_PICKER_KEY);
  EXPECT_EQ(SelectedName(keys), "1");
  EXPECT_TRUE(win::Button(picker.hwnd(), IDC_PICKER_CTRL).Checked());
  EXPECT_TRUE(win::Button(picker.hwnd(), IDC_PICKER_ALT).Checked());
  EXPECT_FALSE(win::Button(picker.hwnd(), IDC_PICKER_SHIFT).Checked());
  EXPECT_EQ(static_cast<int>(SendMessageW(keys, CB_GETCOUNT, 0, 0)), CKeyNameTable::Get().Count());

  // Layout: the list at the top-left, the boxes to its right.
  MoveWindow(picker.hwnd(), 0, 0, 400, 25, TRUE);
  RECT shift = picker.ItemRectInClient(IDC_PICKER_SHIFT), ctrl = picker.ItemRectInClient(IDC_PICKER_CTRL),
       alt = picker.ItemRectInClient(IDC_PICKER_ALT);
  EXPECT_EQ(shift.left, 123);
  EXPECT_EQ(ctrl.left, 186);
  EXPECT_EQ(alt.left, 249);
  EXPECT_EQ(alt.top, 4);
  EXPECT_EQ(alt.right - alt.left, 60);

  PressKey(keys, VK_F5);
  EXPECT_EQ(SelectedName(keys), "VK_F5");
  PressKey(keys, VK_VOLUME_UP);  // not a hot-key key
  EXPECT_EQ(SelectedName(keys), "无");
  PressKey(keys, 'Q');
  win::Button(picker.hwnd(), IDC_PICKER_ALT).SetCheck(false);
  win::Button(picker.hwnd(), IDC_PICKER_SHIFT).SetCheck(true);
  picker.Save();
  EXPECT_EQ(record, (HotKey{'Q', 1, 0, 1}));

  picker.HideControls();
  EXPECT_FALSE(IsWindowVisible(keys));
  EXPECT_FALSE(IsWindowVisible(picker.Item(IDC_PICKER_CTRL)));
}

TEST(HotKeyPicker, UnboundStartsEmpty) {
  CTestHost host(500, 100);
  CHotKeyPicker picker;
  ASSERT_TRUE(picker.Create(host.hwnd()));
  EXPECT_EQ(SelectedName(picker.Item(IDC_PICKER_KEY)), "无");
  EXPECT_FALSE(win::Button(picker.hwnd(), IDC_PICKER_CTRL).Checked());
  picker.Save();  // nothing bound: nothing to write, no crash
}

}  // namespace
