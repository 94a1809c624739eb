// The check list on a real list view.
#include "common/win/CheckListCtrl.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

namespace {

TEST(CheckList, NoSelectionIsMinusOne) {
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED, 0,
                              0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  CCheckListCtrl c;
  ASSERT_TRUE(c.Subclass(list));
  EXPECT_EQ(c.SelectedItem(), -1);
  DestroyWindow(list);
}

}  // namespace
