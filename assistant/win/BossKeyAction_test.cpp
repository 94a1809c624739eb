// Which windows the boss key lists and minimises, on real windows: "Program
// Manager" in any letter case is never listed but is minimised, windows
// without a title are neither, owned pop-ups neither while owned overlapped
// windows are both, and no title finds no cover window.
#include <gtest/gtest.h>

#include <algorithm>

#include "assistant/win/BossKeyAction.h"
#include "win/Window.h"

namespace {

class Plain : public win::Window {
 public:
  explicit Plain(const std::string& title, HWND owner = nullptr, DWORD style = WS_OVERLAPPEDWINDOW) {
    RegisterClass(L"brova.test.boss");
    Create(0, L"brova.test.boss", title, style | WS_VISIBLE, 0, 0, 200, 100, owner);
  }
};

template <class List, class Item>
bool Has(const List& list, const Item& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

TEST(BossKeyWindows, ListedMinimisedAndFound) {
  Plain cover("brova boss cover"), manager("program MANAGER"), untitled("");
  // Owned windows: an overlapped one has no parent (GetParent), a pop-up's
  // parent is its owner.
  Plain ownedWindow("brova boss owned window", cover.hwnd());
  Plain ownedPopup("brova boss owned popup", cover.hwnd(), WS_POPUP | WS_CAPTION);
  ASSERT_EQ(GetWindow(ownedWindow.hwnd(), GW_OWNER), cover.hwnd());

  std::vector<std::string> titles = boss_key::ListedTitles();
  EXPECT_TRUE(Has(titles, std::string("brova boss cover")));
  EXPECT_FALSE(Has(titles, std::string("program MANAGER")));
  EXPECT_TRUE(Has(titles, std::string("brova boss owned window")));
  EXPECT_FALSE(Has(titles, std::string("brova boss owned popup")));

  std::vector<HWND> minimised = boss_key::OwnWindows();
  EXPECT_TRUE(Has(minimised, manager.hwnd()));
  EXPECT_FALSE(Has(minimised, untitled.hwnd()));
  EXPECT_TRUE(Has(minimised, ownedWindow.hwnd()));
  EXPECT_FALSE(Has(minimised, ownedPopup.hwnd()));

  EXPECT_EQ(boss_key::FindByTitle("BROVA BOSS COVER"), cover.hwnd());
  EXPECT_EQ(boss_key::FindByTitle(""), nullptr) << "an empty title is no cover window";
}

}  // namespace
