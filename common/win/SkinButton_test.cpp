// The skinned button on a real window: its hover state follows the mouse.
#include "common/win/SkinButton.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/Pump_windows.h"

namespace {

TEST(SkinButton, HoverTurnsOnAtOnceAndOffAtTheNextTickAfterTheCursorLeft) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr, nullptr,
                                nullptr, nullptr);
  HWND h = CreateWindowExW(0, L"BUTTON", L"截取全屏", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 80, 25, parent,
                           reinterpret_cast<HMENU>(1009), nullptr, nullptr);
  CSkinButton b;
  ASSERT_TRUE(b.Subclass(h));
  SetCursorPos(120, 120);  // over the button
  SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(b.hovered());
  // The mouse leaves without another move over the button.
  SetCursorPos(600, 600);
  EXPECT_TRUE(test_pump::Until([&] { return !b.hovered(); })) << "still hovered after the cursor left";
  DestroyWindow(parent);
}

}  // namespace
