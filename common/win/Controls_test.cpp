// Shared controls and the Windows side of the core: skinned button hover,
// check list selection, atomic file replacement and text on Windows.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/File.h"
#include "common/Text.h"
#include "common/win/CheckListCtrl.h"
#include "common/win/SkinButton.h"
#include "tests/support/TempFolder_windows.h"
#include "win/App.h"

namespace {

void PumpFor(DWORD ms) {
  DWORD end = GetTickCount() + ms;
  MSG msg;
  while (GetTickCount() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) win::App::PumpMessage(msg);
    Sleep(10);
  }
}

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
  PumpFor(400);
  EXPECT_FALSE(b.hovered());
  DestroyWindow(parent);
}

TEST(CheckList, NoSelectionIsMinusOne) {
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED, 0,
                              0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  CCheckListCtrl c;
  ASSERT_TRUE(c.Subclass(list));
  EXPECT_EQ(c.SelectedItem(), -1);
  DestroyWindow(list);
}

TEST(FileOnWindows, WriteAtomicReplacesAnExistingFileWhole) {
  TempFolder tmp;
  std::string path = tmp.path() + "brova_测试.dat";
  ASSERT_TRUE(file::WriteAtomic(path, "old content that is longer"));
  ASSERT_TRUE(file::WriteAtomic(path, "new"));
  std::string back;
  ASSERT_TRUE(file::ReadAll(path, back));
  EXPECT_EQ(back, "new");
  EXPECT_TRUE(file::Remove(path));
}

TEST(TextOnWindows, WideTextIsUtf16WithSurrogatePairs) {
  std::wstring w = text::Widen("中\xF0\x9F\x98\x80");
  ASSERT_EQ(w.size(), 3u);
  EXPECT_EQ(w[0], 0x4E2D);
  EXPECT_EQ(w[1], 0xD83D);
  EXPECT_EQ(text::Narrow(w), "中\xF0\x9F\x98\x80");
}

}  // namespace
