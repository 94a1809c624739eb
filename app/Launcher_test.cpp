#include "app/Launcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/SectionFile.h"
#include "common/Text.h"

namespace {

using launcher::Action;
using launcher::CMenuItemTable;
using launcher::CommandTarget;
using Lines = std::vector<std::string>;

CSectionFile Page(const std::string& utf8) {
  CSectionFile page;
  page.SetBytes(text::ToGb(utf8));
  return page;
}

TEST(Launcher, LinesWithTwoOrMoreFieldsBecomeButtonsInOrder) {
  auto buttons = launcher::ButtonsOf({"新闻*URL*http://news.test/*", "no separator", "只有标题*", "两段*URL*",
                                      "*MENU*LINKS*", "尾巴*URL*http://x.test/*ignored tail"});
  ASSERT_EQ(buttons.size(), 4u);
  EXPECT_EQ(buttons[0].caption, "新闻");
  EXPECT_EQ(buttons[0].line, "新闻*URL*http://news.test/*");
  EXPECT_EQ(buttons[1].caption, "两段");  // two fields: a button that does nothing
  EXPECT_EQ(buttons[2].caption, "");      // an empty caption is still a button
  EXPECT_EQ(buttons[3].caption, "尾巴");
}

// A line, what it does, and its target (nullptr: not looked at).
struct ActionCase {
  const char* line;
  Action::Kind kind;
  const char* target;
};

void ExpectActions(Action (*parse)(const std::string&), const std::vector<ActionCase>& cases) {
  for (const ActionCase& c : cases) {
    Action action = parse(c.line);
    EXPECT_EQ(action.kind, c.kind) << c.line;
    if (c.target) {
      EXPECT_EQ(action.target, c.target) << c.line;
    }
  }
}

TEST(Launcher, ButtonTypesAreExactAndNeedThreeFields) {
  ExpectActions(launcher::ButtonAction,
                {{"新闻*URL*http://news.test/?a=1*", Action::kOpen, "http://news.test/?a=1"},
                 {"常用*MENU*LINKS*", Action::kShowMenu, "LINKS"},
                 {"两段*URL*", Action::kNothing, nullptr},
                 {"两段*URL*http://no-end.test", Action::kNothing, nullptr},
                 {"小写*url*http://x.test/*", Action::kNothing, nullptr},
                 {"小写*menu*LINKS*", Action::kNothing, nullptr},
                 {"空格* URL*http://x.test/*", Action::kNothing, nullptr},  // fields are not trimmed
                 {"其他*EXE*calc.exe*", Action::kNothing, nullptr}});
}

TEST(Launcher, MenuItemsOpenOnlyUrlsAndDoNotNest) {
  ExpectActions(launcher::MenuItemAction, {{"网易*URL*https://www.163.com/*", Action::kOpen, "https://www.163.com/"},
                                           {"子菜单*MENU*MORE*", Action::kNothing, nullptr},
                                           {"-*", Action::kNothing, nullptr},
                                           {"小写*url*http://x.test/*", Action::kNothing, nullptr}});
}

TEST(Launcher, ListsComeFromThePageWithTheirCapacity) {
  std::string text = "[BUTTON_LIST_BEGIN]\r\n";
  for (int i = 0; i < 60; ++i) text += "按钮" + std::to_string(i) + "*URL*http://x.test/" + std::to_string(i) + "*\r\n";
  text += "[BUTTON_LIST_END]\r\n[LINKS_BEGIN]\r\n// a comment\r\n新浪*URL*https://www.sina.com.cn/*\r\n-*\r\n[LINKS_END]\r\n";
  CSectionFile page = Page(text);
  auto buttons = launcher::ButtonsOf(launcher::ReadButtonLines(page));
  ASSERT_EQ(buttons.size(), 50u);
  EXPECT_EQ(buttons.front().caption, "按钮0");
  EXPECT_EQ(buttons.back().caption, "按钮49");
  EXPECT_EQ(launcher::ReadMenuLines(page, "LINKS"), (Lines{"新浪*URL*https://www.sina.com.cn/*", "-*"}));
  EXPECT_EQ(launcher::ReadMenuLines(page, "MISSING"), Lines{});

  CSectionFile none = Page("");
  EXPECT_TRUE(launcher::ReadButtonLines(none).empty());
}

TEST(Launcher, MenuItemIdsAreSharedByIdenticalLinesAndFollowTheButtons) {
  CMenuItemTable table;
  table.Reset(launcher::kFirstButtonId + 3);  // three launcher buttons
  auto first = launcher::BuildMenu({"新浪*URL*https://www.sina.com.cn/*", "-*", "网易*URL*https://www.163.com/*"}, table);
  auto second = launcher::BuildMenu({"网易*URL*https://www.163.com/*", "-*", "搜狐*URL*https://www.sohu.com/*"}, table);
  ASSERT_EQ(first.size(), 3u);
  ASSERT_EQ(second.size(), 3u);
  EXPECT_EQ(first[0].id, 1377);
  EXPECT_FALSE(first[0].separator);
  EXPECT_EQ(first[0].caption, "新浪");
  EXPECT_TRUE(first[1].separator);
  EXPECT_EQ(first[1].id, 1378);
  EXPECT_EQ(second[0].id, first[2].id);  // the same line in another menu
  EXPECT_EQ(second[1].id, first[1].id);  // separators too are lines
  EXPECT_EQ(second[2].id, 1380);
  EXPECT_EQ(table.Count(), 4);
  ASSERT_NE(table.LineOf(first[2].id), nullptr);
  EXPECT_EQ(launcher::MenuItemAction(*table.LineOf(first[2].id)).target, "https://www.163.com/");
  EXPECT_EQ(table.LineOf(1376), nullptr);
  EXPECT_EQ(table.LineOf(1381), nullptr);
}

TEST(Launcher, LinesWithoutFieldsTakeAnIdButGiveNoItem) {
  CMenuItemTable table;
  table.Reset(1374);
  auto items = launcher::BuildMenu({"no separator", "新浪*URL*https://www.sina.com.cn/*"}, table);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].id, 1375);
  EXPECT_EQ(table.Count(), 2);
}

TEST(Launcher, TheFullTableAddsNoMoreItems) {
  CMenuItemTable table;
  table.Reset(1374 + 50);
  Lines many;
  for (int i = 0; i < 150; ++i) many.push_back("项" + std::to_string(i) + "*URL*http://x.test/" + std::to_string(i) + "*");
  EXPECT_EQ(launcher::BuildMenu(many, table).size(), 150u);
  Lines more;
  for (int i = 100; i < 260; ++i) more.push_back("项" + std::to_string(i) + "*URL*http://x.test/" + std::to_string(i) + "*");
  auto items = launcher::BuildMenu(more, table);
  // 50 lines already known (100..149) keep their ids; 50 new ones fit.
  ASSERT_EQ(items.size(), 100u);
  EXPECT_EQ(items.front().id, 1424 + 100);
  EXPECT_EQ(items.back().id, 1424 + 199);
  EXPECT_EQ(table.Count(), launcher::kMenuItemCapacity);
  EXPECT_EQ(table.MenuItemId("新的*URL*http://new.test/*"), -1);
  EXPECT_EQ(table.MenuItemId(many[5]), 1424 + 5);
}

TEST(Launcher, CommandIdsRouteToButtonsThenMenuItems) {
  CMenuItemTable table;
  table.Reset(1374 + 2);
  table.MenuItemId("a*URL*http://a.test/*");
  EXPECT_EQ(launcher::RouteCommand(1373, 2, table).kind, CommandTarget::kNone);
  CommandTarget b = launcher::RouteCommand(1375, 2, table);
  EXPECT_EQ(b.kind, CommandTarget::kButton);
  EXPECT_EQ(b.index, 1);
  CommandTarget m = launcher::RouteCommand(1376, 2, table);
  EXPECT_EQ(m.kind, CommandTarget::kMenuItem);
  EXPECT_EQ(m.index, 0);
  EXPECT_EQ(launcher::RouteCommand(1377, 2, table).kind, CommandTarget::kNone);
  EXPECT_EQ(launcher::RouteCommand(1008, 2, table).kind, CommandTarget::kNone);

  CMenuItemTable empty;
  empty.Reset(1374);
  EXPECT_EQ(launcher::RouteCommand(1374, 0, empty).kind, CommandTarget::kNone);
}

}  // namespace
