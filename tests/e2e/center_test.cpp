// The management center "Tolvana" as a user and as other programs see it:
// its routes, layout, launcher buttons and menus, search, TOOL menu, and its
// rectangle across closing and restarts. What brova starts is a copy of
// probe.exe, which records its name and arguments in probe.log; URL
// addresses use a protocol "brovatest:" whose handler is the probe.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "app/CenterRect.h"
#include "common/Text.h"
#include "common/FrameMessages.h"
#include "tests/support/E2e.h"

namespace {

constexpr unsigned kWmClose = 0x0010;
constexpr unsigned kWmCommand = 0x0111;
constexpr unsigned kWmLButtonDown = 0x0201;
using frame_msg::kTrayCallback;
using frame_msg::kOpenCenter;
constexpr int kFirstLauncherId = 1374;
const std::string kProbe = std::string(BROVA_BUILD_DIR) + "/win/probe.exe";

struct Fixed {
  int id;
  const char* caption;
};
const Fixed kFixedButtons[] = {{1019, "查看日历"}, {1020, "订制计划"}, {1024, "计账管理"}, {1025, "系统辅助"},
                               {1030, "查杀木马"}, {1027, "自动关机"}, {1008, "查询"},     {1029, "参数设置"},
                               {1028, "关于软件"}};

class Center {
 public:
  explicit Center(e2e::Session& s) : s_(s) {}

  // A copy of the probe under the given name, relative to the installation folder.
  void InstallProbe(const std::string& relative) {
    s_.Shell("mkdir -p \"$(dirname " + e2e::ShellQuote(s_.appDir() + "/" + relative) + ")\" && cp " +
             e2e::ShellQuote(kProbe) + " " + e2e::ShellQuote(s_.appDir() + "/" + relative));
  }
  // "brovatest:" addresses start the probe with the address as argument.
  void RegisterProtocol() {
    InstallProbe("probe.exe");
    std::string command = "\"" + e2e::Session::WinPath(s_.appDir()) + "\\probe.exe\" \"%1\"";
    ASSERT_EQ(s_.Winctl("reg-write 'HKLM\\Software\\Classes\\brovatest' 'URL Protocol' ''").status, 0);
    ASSERT_EQ(s_.Winctl("reg-write 'HKLM\\Software\\Classes\\brovatest\\shell\\open\\command' '' " +
                        e2e::ShellQuote(command))
                  .status,
              0);
  }
  // The launcher page, written as the GBK text with CR LF line ends that brova reads.
  void WritePage(const std::vector<std::string>& utf8Lines) {
    std::string text;
    for (const auto& l : utf8Lines) text += l + "\r\n";
    ASSERT_TRUE(e2e::WriteFile(s_.appDir() + "/data/main.htm", text::ToGb(text)));
  }
  std::vector<std::string> ProbeLog() {
    std::vector<std::string> lines;
    std::string all = e2e::ReadFile(s_.appDir() + "/probe.log"), line;
    for (char c : all) {
      if (c == '\n') {
        lines.push_back(line);
        line.clear();
      } else {
        line += c;
      }
    }
    return lines;
  }
  // Waits for the log's next line and returns it.
  std::string NextProbeLine() {
    size_t want = seen_ + 1;
    e2e::Session::WaitUntil([&] { return ProbeLog().size() >= want; }, 20000);
    auto log = ProbeLog();
    if (log.size() < want) return "(nothing started)";
    return log[seen_++];
  }
  size_t ProbeCount() { return ProbeLog().size(); }

  std::optional<e2e::WindowInfo> Open() {
    s_.Post("Pagorin", kOpenCenter);
    return s_.WaitForWindow("Tolvana");
  }
  // Opens the center and checks where its window stands.
  void ExpectOpensAt(int left, int top, int right, int bottom) {
    auto w = Open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->left, left);
    EXPECT_EQ(w->top, top);
    EXPECT_EQ(w->right, right);
    EXPECT_EQ(w->bottom, bottom);
  }
  bool WaitHidden() {
    return e2e::Session::WaitUntil([&] {
      auto w = s_.Window("Tolvana");
      return w && !w->visible;
    });
  }
  void Click(const e2e::WindowInfo& w) {
    s_.Xdotool("mousemove " + std::to_string(w.centerX()) + " " + std::to_string(w.centerY()) + " click 1");
  }
  void ClickItem(int id) {
    auto item = s_.Item("Tolvana", id);
    ASSERT_TRUE(item) << id;
    Click(*item);
  }
  std::optional<e2e::WindowInfo> WaitForMenu() {
    std::optional<e2e::WindowInfo> menu;
    e2e::Session::WaitUntil([&] {
      menu.reset();
      for (const auto& w : s_.TopLevelWindows())
        if (w.cls == "#32768" && w.visible) menu = w;
      return menu.has_value();
    });
    return menu;
  }
  bool WaitForNoMenu() {
    return e2e::Session::WaitUntil([&] {
      for (const auto& w : s_.TopLevelWindows())
        if (w.cls == "#32768" && w.visible) return false;
      return true;
    });
  }
  // Clicks button and picks the n-th enabled item (from 1) of the menu it
  // opens; false when no menu opened.
  bool PickFrom(const e2e::WindowInfo& button, int n) {
    Click(button);
    if (!WaitForMenu()) return false;
    PickMenuItem(n);
    return true;
  }
  // Picks the n-th enabled item (from 1) of the open menu with the keyboard.
  void PickMenuItem(int n) {
    std::string keys;
    for (int i = 0; i < n; ++i) keys += " Down";
    s_.Xdotool("key --delay 100" + keys + " Return");
    WaitForNoMenu();
  }
  // A message box of brova whose text begins with prefix.
  std::optional<e2e::WindowInfo> WaitForMessage(const std::string& prefix) {
    return e2e::WaitForMessageBox(s_, prefix, e2e::TextMatch::kStart);
  }
  std::string RectFile() { return e2e::ReadFile(s_.appDir() + "/data/infotool.dat"); }

 private:
  e2e::Session& s_;
  size_t seen_ = 0;
};

TEST(Center, OpensAtTheRightEdgeOnceFromEveryRoute) {
  e2e::Session s;
  Center c(s);
  s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  EXPECT_FALSE(s.Window("Tolvana")) << "made before it is asked for";

  auto center = c.Open();
  ASSERT_TRUE(center);
  EXPECT_TRUE(center->topmost);
  EXPECT_EQ(center->left, 1280 - 205);
  EXPECT_EQ(center->top, 5);
  EXPECT_EQ(center->right, 1280 - 5);
  EXPECT_EQ(center->bottom, 800 - 46);

  for (const auto& f : kFixedButtons) {
    auto item = s.Item("Tolvana", f.id);
    ASSERT_TRUE(item) << f.id;
    EXPECT_EQ(item->text, f.caption);
    EXPECT_TRUE(item->visible) << f.id;
  }
  auto exitButton = s.Item("Tolvana", 1017);
  ASSERT_TRUE(exitButton);
  EXPECT_FALSE(exitButton->visible);
  EXPECT_EQ(s.Item("Tolvana", 1039)->text, "搜索关键字");
  // The shipped page's launcher buttons.
  auto first = s.Item("Tolvana", kFirstLauncherId);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->text, "软件官网");
  EXPECT_EQ(s.Item("Tolvana", kFirstLauncherId + 1)->text, "常用网址");
  s.KeepScreenshot("center-default");

  struct Route {
    unsigned msg;
    long wparam, lparam;
  } routes[] = {{kWmCommand, 32778, 0}, {kWmCommand, 32780, 0}, {kWmCommand, 32781, 0}, {kWmCommand, 32782, 0},
                {kWmCommand, 32784, 0}, {kTrayCallback, 0, kWmLButtonDown},          {kOpenCenter, 0, 0}};
  for (const auto& r : routes) {
    s.Post("Tolvana", kWmClose);
    ASSERT_TRUE(c.WaitHidden()) << "closing hides";
    s.Post("Pagorin", r.msg, r.wparam, r.lparam);
    auto again = s.WaitForWindow("Tolvana");
    ASSERT_TRUE(again) << "route " << r.msg << " " << r.wparam;
    EXPECT_TRUE(again->topmost);
    EXPECT_EQ(again->handle, center->handle) << "the same window, made once";
  }
  EXPECT_EQ(s.CountWindows("Tolvana"), 1);

  // In a short window the bottom pair overlaps the upper stacks.
  ASSERT_EQ(s.Winctl("move Tolvana 1075 5 1275 330").status, 0);
  e2e::Session::WaitUntil([&] { return s.Item("Tolvana", 1028)->bottom < 330; });
  auto about = s.Item("Tolvana", 1028);
  auto settings = s.Item("Tolvana", 1029);
  int clientBottom = 0;
  {
    std::istringstream client(s.Winctl("client Tolvana").out);
    int l, t, r;
    client >> l >> t >> r >> clientBottom;
  }
  EXPECT_EQ(about->bottom, clientBottom - 3);
  EXPECT_EQ(settings->bottom, about->top - 1);
  EXPECT_LT(settings->top, s.Item("Tolvana", 1039)->bottom);
  s.KeepScreenshot("center-short");
}

TEST(Center, LauncherButtonsStackInPageOrderWithTheSearchBoxBelow) {
  e2e::Session s;
  Center c(s);
  std::vector<std::string> page = {"[SEARCH_WORD]", "在这里输入", "[button_list_begin]",  // begin line: any case
                                   "第一*URL*http://one.test/*", "no fields",          "两段*URL*",
                                   "小写*url*http://x.test/*",   "菜单*MENU*LINKS*",   "[button_list_end]",
                                   "末尾*URL*http://last.test/*", "[BUTTON_LIST_END]", "不是按钮*URL*x*"};
  c.WritePage(page);
  s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  ASSERT_TRUE(c.Open());
  const std::vector<std::string> captions = {"第一", "两段", "小写", "菜单", "末尾"};
  auto shutdown = s.Item("Tolvana", 1027);
  ASSERT_TRUE(shutdown);
  int expectedTop = shutdown->bottom + 26;
  for (size_t i = 0; i < captions.size(); ++i) {
    auto b = s.Item("Tolvana", kFirstLauncherId + static_cast<int>(i));
    ASSERT_TRUE(b) << i;
    EXPECT_EQ(b->text, captions[i]);
    EXPECT_EQ(b->top, expectedTop) << i;
    EXPECT_EQ(b->height(), 25);
    EXPECT_EQ(b->left, shutdown->left);
    EXPECT_EQ(b->right, shutdown->right);
    expectedTop += 26;
  }
  EXPECT_FALSE(s.Item("Tolvana", kFirstLauncherId + static_cast<int>(captions.size())));
  auto last = s.Item("Tolvana", kFirstLauncherId + static_cast<int>(captions.size()) - 1);
  auto box = s.Item("Tolvana", 1039);
  auto go = s.Item("Tolvana", 1008);
  EXPECT_EQ(box->top, last->bottom + 1 + 5);
  EXPECT_EQ(box->height(), 23);
  EXPECT_EQ(box->text, "在这里输入");
  EXPECT_EQ(go->top, box->top);
  EXPECT_EQ(go->width(), 30);
  EXPECT_EQ(go->right, shutdown->right);
  EXPECT_EQ(box->right, go->left - 1);
}

TEST(Center, SixtyLauncherLinesGiveFiftyButtons) {
  e2e::Session s;
  Center c(s);
  std::vector<std::string> page = {"[BUTTON_LIST_BEGIN]"};
  for (int i = 0; i < 60; ++i) page.push_back("按钮" + std::to_string(i) + "*URL*http://x.test/*");
  page.push_back("[BUTTON_LIST_END]");
  c.WritePage(page);
  s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  ASSERT_TRUE(c.Open());
  auto b49 = s.Item("Tolvana", kFirstLauncherId + 49);
  ASSERT_TRUE(b49);
  EXPECT_EQ(b49->text, "按钮49");
  EXPECT_FALSE(s.Item("Tolvana", kFirstLauncherId + 50));
}

TEST(Center, LauncherButtonsMenusAndSearchStartTheirTargets) {
  e2e::Session s;
  Center c(s);
  c.RegisterProtocol();
  c.InstallProbe("launched.exe");
  const std::string launched = e2e::Session::WinPath(s.appDir()) + "\\launched.exe";
  c.WritePage({"[SEARCH_URL]", "brovatest://search?q=KEY&again=KEY", "[BUTTON_LIST_BEGIN]",
               "运行*URL*" + launched + "*", "链接*MENU*LINKS*", "同样*MENU*MORE*", "两段*URL*",
               "小写*url*" + launched + "*", "[BUTTON_LIST_END]", "[LINKS_BEGIN]", "甲*URL*brovatest://menu/a*", "-*",
               "乙*URL*brovatest://menu/b*", "[LINKS_END]", "[MORE_BEGIN]", "乙*URL*brovatest://menu/b*",
               "[MORE_END]"});
  s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  ASSERT_TRUE(c.Open());

  // A URL button starts its program.
  c.ClickItem(kFirstLauncherId);
  EXPECT_EQ(c.NextProbeLine(), "launched.exe");

  // A MENU button shows its menu under itself; the separator is skipped.
  auto links = s.Item("Tolvana", kFirstLauncherId + 1);
  c.Click(*links);
  auto menu = c.WaitForMenu();
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu->left, links->left);
  EXPECT_EQ(menu->top, links->bottom);
  s.KeepScreenshot("center-launcher-menu");
  c.PickMenuItem(2);
  EXPECT_EQ(c.NextProbeLine(), "probe.exe\tbrovatest://menu/b");

  // The menu is built once: a changed page does not change it.
  c.WritePage({"[LINKS_BEGIN]", "丙*URL*brovatest://menu/c*", "[LINKS_END]", "[MORE_BEGIN]",
               "乙*URL*brovatest://menu/b*", "[MORE_END]"});
  ASSERT_TRUE(c.PickFrom(*links, 1));
  EXPECT_EQ(c.NextProbeLine(), "probe.exe\tbrovatest://menu/a");

  // The same line in another menu opens the same address.
  c.ClickItem(kFirstLauncherId + 2);
  ASSERT_TRUE(c.WaitForMenu());
  c.PickMenuItem(1);
  EXPECT_EQ(c.NextProbeLine(), "probe.exe\tbrovatest://menu/b");

  // Enter in the search box opens the search address with the encoded words
  // in every "KEY" place. The page is read again for each search.
  c.WritePage({"[SEARCH_URL]", "brovatest://search?q=KEY&again=KEY"});
  ASSERT_EQ(s.Winctl("settext Tolvana 1039 ' a b+你好 '").status, 0);
  c.ClickItem(1039);
  s.Xdotool("key Return");
  EXPECT_EQ(c.NextProbeLine(), "probe.exe\tbrovatest://search?q=a%20b%2B%C4%E3%BA%C3&again=a%20b%2B%C4%E3%BA%C3");

  // A two-field button and a lower-case type do nothing; Enter while such a
  // button has the focus searches, with the box now empty.
  ASSERT_EQ(s.Winctl("settext Tolvana 1039 ''").status, 0);
  c.ClickItem(kFirstLauncherId + 3);
  c.ClickItem(kFirstLauncherId + 4);
  s.Xdotool("key Return");
  EXPECT_EQ(c.NextProbeLine(), "probe.exe\tbrovatest://search?q=&again=");

  // The "查询" button searches too.
  ASSERT_EQ(s.Winctl("settext Tolvana 1039 天气").status, 0);
  c.ClickItem(1008);
  EXPECT_EQ(c.NextProbeLine(), "probe.exe\tbrovatest://search?q=%CC%EC%C6%F8&again=%CC%EC%C6%F8");
  EXPECT_EQ(c.ProbeCount(), 7u) << "something else was started";
}

TEST(Center, ToolMenuStartsToolsSiblingsAndTheFramesCommands) {
  e2e::Session s;
  Center c(s);
  c.RegisterProtocol();
  // The maker's site, as brova reads it from its environment.
  ASSERT_EQ(s.Winctl("reg-write 'HKCU\\Environment' VISTREL_SITE brovatest://site").status, 0);
  c.InstallProbe("siblings/morvik.exe");
  c.InstallProbe("siblings/lectra.exe");
  c.InstallProbe("kivvoweb.exe");
  // Quenra's installer is 32-bit and writes to the 32-bit view; Lirune's is
  // 64-bit. Both count as installed.
  const std::string folder = e2e::ShellQuote(e2e::Session::WinPath(s.appDir()) + "\\siblings\\");
  ASSERT_EQ(s.Winctl("reg-write 'HKLM32\\software\\lomondix\\mk' path " + folder).status, 0);
  ASSERT_EQ(s.Winctl("reg-write 'HKLM64\\software\\lomondix\\lectra' path " + folder).status, 0);
  s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  ASSERT_TRUE(c.Open());

  auto tools = s.Item("Tolvana", 1025);
  ASSERT_TRUE(tools);
  c.Click(*tools);
  auto menu = c.WaitForMenu();
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu->left, tools->left);
  EXPECT_EQ(menu->top, tools->bottom + 2);
  s.KeepScreenshot("center-tool-menu");

  // "[应用]Quenra", the eighth item: installed, so it starts.
  c.PickMenuItem(8);
  EXPECT_EQ(c.NextProbeLine(), "morvik.exe");
  ASSERT_TRUE(c.PickFrom(*tools, 10));
  EXPECT_EQ(c.NextProbeLine(), "lectra.exe");

  // "[应用]Tesmor": not installed, the message and then the maker's site.
  ASSERT_TRUE(c.PickFrom(*tools, 9));
  auto box = c.WaitForMessage("本机还未安装本软件,你可以到官网去下载此软件.");
  ASSERT_TRUE(box);
  EXPECT_EQ(c.ProbeCount(), 2u) << "the site opens after the message";
  s.Post(box->handle, kWmClose);
  EXPECT_EQ(c.NextProbeLine(), "probe.exe\tbrovatest://site");

  // "资讯中心", the frame's command, reaches the frame.
  ASSERT_TRUE(c.PickFrom(*tools, 13));
  EXPECT_EQ(c.NextProbeLine(), "kivvoweb.exe");

  // The process scanner: missing, then present.
  c.ClickItem(1030);
  auto missing = c.WaitForMessage("你的版本不支持此功能");
  ASSERT_TRUE(missing);
  bool namesSite = false;
  for (const auto& child : s.Children(missing->handle))
    if (child.text.find("官网 brovatest://site") != std::string::npos) namesSite = true;
  EXPECT_TRUE(namesSite);
  s.Post(missing->handle, kWmClose);

  c.InstallProbe("procwatch/procwatch.exe");
  c.ClickItem(1030);
  auto note = c.WaitForMessage("说明");
  ASSERT_TRUE(note);
  s.Post(note->handle, kWmClose);
  EXPECT_EQ(c.NextProbeLine(), "procwatch.exe\tfrom_sweepa");
}

TEST(Center, PositionIsKeptAcrossClosingAndRestarts) {
  e2e::Session s;
  Center c(s);
  // An exit with the center never opened stores nothing.
  pid_t brova = s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  s.Post("Pagorin", kWmCommand, 32796);
  ASSERT_TRUE(s.WaitForExit(brova));
  EXPECT_EQ(c.RectFile(), "");

  brova = s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  ASSERT_TRUE(c.Open());
  ASSERT_EQ(s.Winctl("move Tolvana 300 50 520 600").status, 0);
  s.Post("Tolvana", kWmClose);
  ASSERT_TRUE(c.WaitHidden());
  ASSERT_NO_FATAL_FAILURE(c.ExpectOpensAt(300, 50, 520, 600));
  // Stored when the program ends, also while the window is hidden.
  s.Post("Tolvana", kWmClose);
  ASSERT_TRUE(c.WaitHidden());
  s.Post("Pagorin", kWmCommand, 32796);
  ASSERT_TRUE(s.WaitForExit(brova));
  EXPECT_EQ(c.RectFile(), center_rect::Encode({300, 50, 520, 600}));

  brova = s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  ASSERT_NO_FATAL_FAILURE(c.ExpectOpensAt(300, 50, 520, 600));
  // Closing the capture window ends the program too, and stores the rectangle.
  ASSERT_EQ(s.Winctl("move Tolvana 310 60 530 610").status, 0);
  s.Post("Vistrel", kWmClose);
  ASSERT_TRUE(s.WaitForExit(brova));
  EXPECT_EQ(c.RectFile(), center_rect::Encode({310, 60, 530, 610}));

  // A rectangle left on a display that is gone opens at the default place.
  ASSERT_TRUE(e2e::WriteFile(s.appDir() + "/data/infotool.dat", center_rect::Encode({1715, 5, 1915, 1034})));
  brova = s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  ASSERT_NO_FATAL_FAILURE(c.ExpectOpensAt(1075, 5, 1275, 754));
}

}  // namespace

namespace {

TEST(Center, CalendarAndPlanButtonsOpenTheirWindows) {
  e2e::Session s;
  s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  Center c(s);
  ASSERT_TRUE(c.Open());
  c.ClickItem(1019);
  auto calendar = s.WaitForWindow("日历-Tolvana");
  ASSERT_TRUE(calendar) << "查看日历 opens the calendar";
  s.Post(calendar->handle, 0x0010);  // WM_CLOSE
  ASSERT_TRUE(s.WaitForNoWindow("日历-Tolvana"));
  c.ClickItem(1020);
  EXPECT_TRUE(s.WaitForWindow("计划管理-Tolvana")) << "订制计划 opens the plan manager";
}

}  // namespace
