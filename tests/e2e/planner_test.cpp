// The plan manager, the plan editor and the reminder prompt as a user sees
// them: plans added, changed and deleted land in data\plan.ini, a plan
// whose minute comes slides up the prompt with its sound, and plans missed
// while brova was off are listed at start.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/e2e/PlannerSupport.h"

namespace {

using namespace planner_e2e;

// Screen places of the prompt on the 1280 x 800 test screen: right edge 24
// and bottom edge 32 pixels in from the screen's, 300 x 180.
constexpr int kPromptLeft = 1280 - 24 - 300;
constexpr int kPromptTop = 800 - 32 - 180;
// The confirm button of the default skin, in the prompt's client area.
constexpr int kConfirmX = 220 + 35;
constexpr int kConfirmY = 152 + 11;
constexpr int kSnoozeList = 1001;

std::optional<e2e::WindowInfo> WaitForPromptInPlace(e2e::Session& s, const std::string& handleOrTitle) {
  std::optional<e2e::WindowInfo> prompt;
  e2e::Session::WaitUntil([&] {
    prompt = s.Window(handleOrTitle);
    return prompt && prompt->visible && prompt->left == kPromptLeft && prompt->top == kPromptTop &&
           prompt->width() == 300 && prompt->height() == 180;
  });
  return prompt;
}

// "显示计划" from the frame, and the prompt it slides up.
std::optional<e2e::WindowInfo> ShowPlanPrompt(e2e::Session& s) {
  s.Post("Pagorin", kWmCommand, kShowPlan);
  return WaitForPromptInPlace(s, kPromptTitle);
}

// Grabs the screen into img until enough(img) holds, for up to 5 seconds.
template <class Enough>
bool GrabUntil(e2e::Session& s, e2e::Image& img, Enough enough) {
  return e2e::Session::WaitUntil([&] {
    img = s.Grab();
    return enough(img);
  }, 5000);
}

std::vector<e2e::WindowInfo> Prompts(e2e::Session& s) {
  std::vector<e2e::WindowInfo> out;
  for (const auto& w : s.TopLevelWindows())
    if (w.text == kPromptTitle) out.push_back(w);
  return out;
}

int SoundsPlayed(e2e::Session& s, const std::string& handle) {
  auto r = s.Winctl("prop " + handle + " brova.sounds");
  return r.status == 0 ? std::atoi(r.out.c_str()) : 0;
}

// Dark pixels of the time line ("2031年...") and of the text below it.
int TimeLineInk(const e2e::Image& img) {
  return CountDark(img, kPromptLeft + 5, kPromptTop + 26, kPromptLeft + 200, kPromptTop + 42);
}
int TextInk(const e2e::Image& img) {
  return CountDark(img, kPromptLeft + 80, kPromptTop + 46, kPromptLeft + 296, kPromptTop + 76);
}

void ConfirmPrompt(e2e::Session& s, const e2e::WindowInfo& prompt) {
  Click(s, prompt.left + kConfirmX, prompt.top + kConfirmY);
}

// The plan file holding plans, brova started and the plan manager open.
void OpenManagerWith(e2e::Session& s, const std::string& plans) {
  WritePlanFile(s, plans);
  StartBrova(s);
  OpenManager(s);
}

TEST(Planner, AddedPlanLandsInThePlanFileAfterThePlansOfItsTime) {
  e2e::Session s;
  OpenManagerWith(s, Record("2031-05-28 08:00", "早会") + Record("2031-05-28 09:00", "NULL") +
                         Record("2031-05-28 10:00", "评审"));
  auto rows = ListRows(s);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], "未选中\t2031-05-28 08:00\t早会");
  EXPECT_EQ(rows[1], "未选中\t2031-05-28 09:00\t");

  ClickItem(s, kManagerTitle, 1018);  // 增加计划
  ASSERT_TRUE(s.WaitForWindow(kEditorTitle));
  // The lists offer 2000-2049, 1-12, 1-31, 0-23, 0-59 and show now.
  std::tm now = LocalNow();
  int selected = -1;
  auto years = ComboEntries(s, kEditorTitle, 1024, &selected);
  ASSERT_EQ(years.size(), 50u);
  EXPECT_EQ(years.front(), "2000");
  EXPECT_EQ(years.back(), "2049");
  EXPECT_EQ(selected, now.tm_year + 1900 - 2000);
  EXPECT_EQ(ComboEntries(s, kEditorTitle, 1003).size(), 31u);
  EXPECT_EQ(ComboEntries(s, kEditorTitle, 1004).front(), "0");
  EXPECT_EQ(ComboEntries(s, kEditorTitle, 1005).size(), 60u);

  // 31 February does not exist: the editor says so and stays open.
  ChooseEntry(s, kEditorTitle, 1024, 31);
  ChooseEntry(s, kEditorTitle, 1002, 1);
  ChooseEntry(s, kEditorTitle, 1003, 30);
  ChooseEntry(s, kEditorTitle, 1004, 9);
  ChooseEntry(s, kEditorTitle, 1005, 0);
  ClickItem(s, kEditorTitle, 1015);  // 保存结果
  auto box = WaitForMessage(s, "所选日期不存在");
  ASSERT_TRUE(box);
  CloseMessage(s, *box);
  EXPECT_TRUE(s.Window(kEditorTitle));

  // 2031-05-28 09:00 with two lines of text.
  ChooseEntry(s, kEditorTitle, 1002, 4);
  ChooseEntry(s, kEditorTitle, 1003, 27);
  auto content = s.Item(kEditorTitle, 1007);
  ASSERT_TRUE(content);
  s.Winctl("settext " + content->handle + " " + e2e::ShellQuote("带上报告"));
  Click(s, content->centerX(), content->centerY());
  s.Xdotool("key ctrl+End Return");
  s.Xdotool("type 'page 2'");
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return s.Item(kEditorTitle, 1007)->text == "带上报告  page 2"; }));
  ClickItem(s, kEditorTitle, 1015);
  ASSERT_TRUE(s.WaitForNoWindow(kEditorTitle));

  std::string expected = Record("2031-05-28 08:00", "早会") + Record("2031-05-28 09:00", "NULL") +
                         Record("2031-05-28 09:00", "带上报告-----CR-----LF-----page 2") +
                         Record("2031-05-28 10:00", "评审");
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return ReadPlanFile(s) == expected; }, 5000)) << ReadPlanFile(s);
  rows = ListRows(s);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[2], "*未选中\t2031-05-28 09:00\t带上报告  page 2") << "the new row is selected";
  EXPECT_EQ(rows[3], "未选中\t2031-05-28 10:00\t评审");
  s.KeepScreenshot("plan-manager");
}

TEST(Planner, ClicksShowAndCheckPlansDeleteTakesTheCheckedOnesChangeKeepsTheTime) {
  e2e::Session s;
  OpenManagerWith(s, Record("2031-06-01 08:00", "甲") + Record("2051-06-02 08:00", "乙") +
                         Record("2031-06-03 08:00", "丙-----CR-----LF-----第二行"));
  ASSERT_EQ(ListRows(s).size(), 3u);
  const std::string original = ReadPlanFile(s);

  // The check image (13 pixels wide) and "未选中" keep a blank strip
  // between them.
  const Box first = RowRect(s, 0);
  e2e::Image shot;
  ASSERT_TRUE(e2e::Session::WaitUntil([&] {
    shot = s.Grab();
    return CountDark(shot, first.left + 19, first.top, first.left + 58, first.bottom - 1) > 20;
  })) << "no text in the check column";
  s.KeepScreenshot("plan-manager-check-column");
  int checkLeft = first.left;  // the image's left border: its first dark column
  while (checkLeft < first.left + 10 && CountDark(shot, checkLeft, first.top, checkLeft + 1, first.bottom - 1) < 8)
    ++checkLeft;
  EXPECT_EQ(CountDark(shot, checkLeft + 13, first.top, checkLeft + 16, first.bottom - 1), 0)
      << "the text touches the check";

  // A click on the content shows the plan below and leaves its mark.
  ClickRow(s, 2, 2);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return s.Item(kManagerTitle, 1009)->text == "2031-06-03 08:00"; }));
  EXPECT_EQ(s.Item(kManagerTitle, 1023)->text, "丙  第二行");
  EXPECT_EQ(ListRows(s)[2], "*未选中\t2031-06-03 08:00\t丙  第二行");

  // Delete works on check marks, not on the selection.
  ClickItem(s, kManagerTitle, 1020);
  auto box = WaitForMessage(s, "请先选择要删除的项");
  ASSERT_TRUE(box);
  CloseMessage(s, *box);
  EXPECT_EQ(ReadPlanFile(s), original);

  // A click in the check column flips the mark.
  ClickRow(s, 1, 0);
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return Mark(ListRows(s)[1]) == "选中"; }));
  Pause(1000);  // not a double click
  ClickRow(s, 1, 0);
  ClickRow(s, 0, 0);
  ClickRow(s, 2, 0);
  ASSERT_TRUE(e2e::Session::WaitUntil([&] {
    auto rows = ListRows(s);
    return rows.size() == 3 && Mark(rows[0]) == "选中" && Mark(rows[1]) == "未选中" && Mark(rows[2]) == "选中";
  }));
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return s.Item(kManagerTitle, 1009)->text == "2031-06-03 08:00"; }));
  ClickItem(s, kManagerTitle, 1020);
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return ListRows(s).size() == 1; }));
  EXPECT_EQ(ListRows(s)[0], "未选中\t2051-06-02 08:00\t乙");
  EXPECT_EQ(ReadPlanFile(s), Record("2051-06-02 08:00", "乙"));
  // The deleted plan leaves the boxes below; no row is selected, so they are empty.
  EXPECT_EQ(s.Item(kManagerTitle, 1009)->text, "");
  EXPECT_EQ(s.Item(kManagerTitle, 1023)->text, "");

  // Change needs a selected row.
  ClickItem(s, kManagerTitle, 1019);
  box = WaitForMessage(s, "请选择需要修改的项目");
  ASSERT_TRUE(box);
  CloseMessage(s, *box);

  // A double click changes the row: the time lists show its time and are
  // locked; a year past the list's last (2049) is an entry of its own.
  Box row = RowRect(s, 0);
  DoubleClick(s, row.left + 200, (row.top + row.bottom) / 2);
  ASSERT_TRUE(s.WaitForWindow(kEditorTitle));
  const int lists[] = {1024, 1002, 1003, 1004, 1005};
  const int shown[] = {50, 5, 1, 8, 0};
  const char* texts[] = {"2051", "6", "2", "8", "0"};
  for (int i = 0; i < 5; ++i) {
    int selected = -1;
    auto entries = ComboEntries(s, kEditorTitle, lists[i], &selected);
    EXPECT_EQ(selected, shown[i]) << "list " << lists[i];
    ASSERT_GT(static_cast<int>(entries.size()), shown[i]);
    EXPECT_EQ(entries[shown[i]], texts[i]) << "list " << lists[i];
    EXPECT_FALSE(s.Item(kEditorTitle, lists[i])->enabled) << "list " << lists[i];
  }
  s.KeepScreenshot("plan-editor-year-past-the-list");
  EXPECT_EQ(s.Item(kEditorTitle, 1007)->text, "乙");
  s.Winctl("settext " + s.Item(kEditorTitle, 1007)->handle + " " + e2e::ShellQuote("乙 改过"));
  ClickItem(s, kEditorTitle, 1015);
  ASSERT_TRUE(s.WaitForNoWindow(kEditorTitle));
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return ReadPlanFile(s) == Record("2051-06-02 08:00", "乙 改过"); }, 5000));
  EXPECT_EQ(ListRows(s)[0], "*未选中\t2051-06-02 08:00\t乙 改过");
  EXPECT_EQ(s.Item(kManagerTitle, 1023)->text, "乙 改过");

  // "退出" leaves the plan as it was.
  ClickItem(s, kManagerTitle, 1019);
  ASSERT_TRUE(s.WaitForWindow(kEditorTitle));
  s.Winctl("settext " + s.Item(kEditorTitle, 1007)->handle + " " + e2e::ShellQuote("不要"));
  ClickItem(s, kEditorTitle, 2);
  ASSERT_TRUE(s.WaitForNoWindow(kEditorTitle));
  EXPECT_EQ(ReadPlanFile(s), Record("2051-06-02 08:00", "乙 改过"));
}

TEST(Planner, ManagerCannotBeShrunkPastTheSizeThatKeepsItsLayoutWhole) {
  e2e::Session s;
  OpenManagerWith(s, Record("2031-06-01 08:00", "甲") + Record("2031-06-02 08:00", "乙") +
                         Record("2031-06-03 08:00", "丙"));
  TryToShrink(s, kManagerTitle);
  Box client = ClientArea(s, kManagerTitle);
  EXPECT_EQ(client.right - client.left, 320);
  EXPECT_EQ(client.bottom - client.top, 280);
  auto old = s.Item(kManagerTitle, 1021);
  auto list = s.Item(kManagerTitle, 1022);
  auto time = s.Item(kManagerTitle, 1009);
  auto content = s.Item(kManagerTitle, 1023);
  ASSERT_TRUE(old && list && time && content);
  EXPECT_LE(old->right, client.right - 5) << "the last button left the window";
  // The list keeps its three rows above the boxes, which stay inside.
  EXPECT_LE(RowRect(s, 2).bottom, list->bottom);
  EXPECT_LE(list->bottom, time->top);
  EXPECT_LE(time->bottom, content->top);
  EXPECT_LE(content->bottom, client.bottom);
  ClickRow(s, 2, 2);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return s.Item(kManagerTitle, 1023)->text == "丙"; }));
  s.KeepScreenshot("plan-manager-smallest");
}

TEST(Planner, OldVersionButtonStartsTheOldProgramFromTheProgramFolder) {
  e2e::Session s;
  // Any program does as the old version; Wine's notepad leaves a window to see.
  std::string notepad = s.workDir() + "/prefix/drive_c/windows/system32/notepad.exe";
  ASSERT_EQ(s.Shell("cp " + e2e::ShellQuote(notepad) + " velmo_old.exe").status, 0);
  StartBrova(s);
  OpenManager(s);
  ClickItem(s, kManagerTitle, 1021);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    for (const auto& w : s.TopLevelWindows())
      if (w.cls == "Notepad" && w.visible) return true;
    return false;
  }));
}

TEST(Planner, PlanOfTheCurrentMinuteSlidesUpThePromptWithItsSoundAndSnoozeHidesIt) {
  e2e::Session s;
  LeaveTimeInMinute(40);
  StartBrova(s);
  OpenManager(s);
  ClickItem(s, kManagerTitle, 1018);
  ASSERT_TRUE(s.WaitForWindow(kEditorTitle));
  std::string due = TimeText(LocalNow());
  s.Winctl("settext " + s.Item(kEditorTitle, 1007)->handle + " " + e2e::ShellQuote("三楼会议室开会"));
  ClickItem(s, kEditorTitle, 1015);
  ASSERT_TRUE(s.WaitForNoWindow(kEditorTitle));
  EXPECT_EQ(ReadPlanFile(s), Record(due, "三楼会议室开会"));

  // The minute has come: the prompt slides up at the lower right.
  auto prompt = WaitForPromptInPlace(s, kPromptTitle);
  ASSERT_TRUE(prompt) << "no reminder prompt at the lower right";
  EXPECT_TRUE(prompt->topmost);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return SoundsPlayed(s, prompt->handle) == 1; }))
      << "the reminder sound did not play";
  e2e::Image img;
  ASSERT_TRUE(GrabUntil(s, img, [](const e2e::Image& i) { return TimeLineInk(i) > 60 && TextInk(i) > 40; }))
      << "time line or text missing: " << TimeLineInk(img) << " " << TextInk(img);
  EXPECT_EQ(CountRed(img, kPromptLeft + 80, kPromptTop + 46, kPromptLeft + 296, kPromptTop + 76), 0);
  s.KeepScreenshot("reminder-prompt");

  // "10分钟后再次提示" hides it; the window waits for its timer.
  auto entries = ComboEntries(s, prompt->handle, kSnoozeList);
  ASSERT_EQ(entries.size(), 6u);
  EXPECT_EQ(entries[0], "我知道了");
  EXPECT_EQ(entries[2], "10分钟后再次提示");
  ChooseEntry(s, prompt->handle, kSnoozeList, 2);
  ConfirmPrompt(s, *prompt);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    auto w = s.Window(prompt->handle);
    return w && !w->visible;
  })) << "snoozing did not hide the prompt";

  // "显示计划" shows the same plan again; "我知道了" closes that prompt for good.
  s.Post("Pagorin", kWmCommand, kShowPlan);
  std::optional<e2e::WindowInfo> second;
  ASSERT_TRUE(e2e::Session::WaitUntil([&] {
    for (const auto& w : Prompts(s))
      if (w.visible && w.handle != prompt->handle) second = w;
    return second.has_value();
  }));
  second = WaitForPromptInPlace(s, second->handle);
  ASSERT_TRUE(second);
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return TimeLineInk(s.Grab()) > 60; }, 5000));
  // The snooze chosen last is the one a new prompt starts on.
  int selected = -1;
  ComboEntries(s, second->handle, kSnoozeList, &selected);
  EXPECT_EQ(selected, 2);
  ChooseEntry(s, second->handle, kSnoozeList, 0);
  ConfirmPrompt(s, *second);
  EXPECT_TRUE(s.WaitForNoWindow(second->handle));
  EXPECT_TRUE(s.Window(prompt->handle)) << "the snoozed prompt is still waiting";
}

TEST(Planner, PlanOfTheNextMinuteComesByItselfOnceAndPassedPlansAreNotReplayed) {
  e2e::Session s;
  LeaveTimeInMinute(20);
  std::string passed = TimeText(LocalNow(-2));
  std::string next = TimeText(LocalNow(1));
  WritePlanFile(s, Record(passed, "已经过去") + Record(next, "下一分钟"));
  StartBrova(s);
  EXPECT_FALSE(s.WaitForWindow(kPromptTitle, 3000)) << "a passed plan came back";
  // The frame checks just after the minute turns.
  auto prompt = WaitForPromptInPlace(s, kPromptTitle);
  for (int i = 0; !prompt && i < 4; ++i) prompt = WaitForPromptInPlace(s, kPromptTitle);
  ASSERT_TRUE(prompt) << "the plan of the next minute did not come";
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return SoundsPlayed(s, prompt->handle) == 1; }));
  // Once: a later check does not bring it again.
  s.Post("Pagorin", kReloadAll);
  Pause(2000);
  EXPECT_EQ(Prompts(s).size(), 1u);
}

TEST(Planner, ShowPlanWithoutPlansSaysSoInRedAndReloadAllBringsNewPlans) {
  e2e::Session s;
  StartBrova(s);
  auto first = ShowPlanPrompt(s);
  ASSERT_TRUE(first);
  e2e::Image img;
  ASSERT_TRUE(GrabUntil(s, img, [](const e2e::Image& i) {
    return CountRed(i, kPromptLeft + 80, kPromptTop + 46, kPromptLeft + 296, kPromptTop + 66) > 30;
  })) << "暂无下一个计划 is not shown in red";
  EXPECT_EQ(TimeLineInk(img), 0) << "a time line without a plan";
  s.KeepScreenshot("reminder-prompt-empty");

  // A second command opens a second prompt at the same place.
  s.Post("Pagorin", kWmCommand, kShowPlan);
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return Prompts(s).size() == 2; }));
  for (const auto& p : Prompts(s)) EXPECT_TRUE(WaitForPromptInPlace(s, p.handle));

  // Plans written meanwhile come with "reload all".
  WritePlanFile(s, Record("2031-01-01 08:00", "新年计划"));
  s.Post("Pagorin", kReloadAll);
  s.Post("Pagorin", kWmCommand, kShowPlan);
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return Prompts(s).size() == 3; }));
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return TimeLineInk(s.Grab()) > 60; }, 10000));
}

TEST(Planner, PromptWithoutItsSkinShowsAPlainFaceThatCanStillBeClosed) {
  e2e::Session s;
  std::remove((s.appDir() + "/data/config.dat").c_str());
  WritePlanFile(s, Record("2031-01-01 08:00", "没有皮肤"));
  StartBrova(s);
  auto prompt = ShowPlanPrompt(s);
  ASSERT_TRUE(prompt);
  e2e::Image img;
  ASSERT_TRUE(GrabUntil(s, img, [](const e2e::Image& i) { return TimeLineInk(i) > 60 && TextInk(i) > 20; }))
      << TimeLineInk(img) << " " << TextInk(img);
  // The plain face colour, framed in black.
  EXPECT_GT(CountColour(img, kPromptLeft + 150, kPromptTop + 100, kPromptLeft + 250, kPromptTop + 120, 250, 255, 255, 3),
            1500);
  EXPECT_EQ(img.gray(kPromptLeft, kPromptTop + 90), 0);
  s.KeepScreenshot("reminder-prompt-no-skin");
  // No sound without a skin; the plain confirm button closes it.
  Pause(2000);
  EXPECT_EQ(SoundsPlayed(s, prompt->handle), 0);
  auto confirm = s.Item(prompt->handle, 1000);
  ASSERT_TRUE(confirm);
  ASSERT_TRUE(confirm->visible);
  EXPECT_EQ(confirm->text, "确定");
  Click(s, confirm->centerX(), confirm->centerY());
  EXPECT_TRUE(s.WaitForNoWindow(prompt->handle));
}


// A repeating plan's record: its rule on the comment line that readers
// without rules skip.
std::string RepeatingRecord(const std::string& time, const std::string& rule, const std::string& storedContent) {
  return "||TIME:" + time + "\r\n//||REPEAT:" + rule + "\r\n||CONTENT:" + storedContent + "\r\n";
}

int Occasion(e2e::Session& s, const std::string& handle) {
  auto r = s.Winctl("prop " + handle + " brova.occasion");
  return r.status == 0 ? std::atoi(r.out.c_str()) : 0;
}

TEST(Planner, LunarYearlyPlanComesOnItsDayEachYearWithItsCount) {
  // 中秋 (lunar 八月十五) from 2025-10-06 comes on 2026-09-25 and 2027-09-15;
  // 春节 from 2026-02-17 is next on 2027-02-06.
  const std::string plans = RepeatingRecord("2025-10-06 20:00", "lunar-yearly 08-15", "中秋赏月") +
                            RepeatingRecord("2026-02-17 09:00", "lunar-yearly 01-01", "春节拜年");
  struct Year {
    const char* clock;
    int occasion;
  };
  for (const Year& year : {Year{"2026-09-25 20:00", 2}, Year{"2027-09-15 20:00", 3}}) {
    SCOPED_TRACE(year.clock);
    e2e::Session s;
    s.SetEnv("VISTREL_CLOCK", year.clock);
    WritePlanFile(s, plans);
    StartBrova(s);
    auto prompt = WaitForPromptInPlace(s, kPromptTitle);
    ASSERT_TRUE(prompt) << "the plan of the day did not come";
    EXPECT_EQ(Occasion(s, prompt->handle), year.occasion);
    e2e::Image img;
    EXPECT_TRUE(GrabUntil(s, img, [](const e2e::Image& i) { return TimeLineInk(i) > 60 && TextInk(i) > 40; }));
    if (year.occasion != 2) continue;
    s.KeepScreenshot("reminder-prompt-lunar-yearly");
    EXPECT_EQ(Prompts(s).size(), 1u) << "春节 is not due";

    OpenManager(s);
    auto rows = ListRows(s);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], "未选中\t2025-10-06 20:00 每年农历八月十五 今天\t中秋赏月");
    EXPECT_EQ(rows[1], "未选中\t2026-02-17 09:00 每年农历正月初一 还有 134 天\t春节拜年");
    s.KeepScreenshot("plan-manager-rules");
  }
}

TEST(Planner, EditorOffersEachRepeatKindAndStoresTheRuleWhereOldVersionsReadAOneTimePlan) {
  e2e::Session s;
  s.SetEnv("VISTREL_CLOCK", "2026-09-01 09:00");
  // A file as the versions before rules wrote it: rewritten, byte for byte.
  const std::string old = Record("2026-08-01 08:00", "早会 in 三楼") + Record("2026-08-02 08:00", "NULL") +
                          Record("2031-01-01 08:00", "甲-----CR-----LF-----乙");
  OpenManagerWith(s, old);
  ClickRow(s, 0, 1);
  ClickItem(s, kManagerTitle, 1019);  // 修改计划
  ASSERT_TRUE(s.WaitForWindow(kEditorTitle));
  ClickItem(s, kEditorTitle, 1015);
  ASSERT_TRUE(s.WaitForNoWindow(kEditorTitle));
  const std::string bytes = text::ToGb(old);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return e2e::ReadFile(PlanFilePath(s)) == bytes; }, 5000))
      << ReadPlanFile(s);

  ClickItem(s, kManagerTitle, 1018);  // 增加计划
  ASSERT_TRUE(s.WaitForWindow(kEditorTitle));
  auto kinds = ComboEntries(s, kEditorTitle, 1030);
  ASSERT_EQ(kinds, (std::vector<std::string>{"不重复", "每天", "工作日", "每周", "每月", "每年", "每月农历", "每年农历"}));
  // The rule each kind makes of 2026-09-01, a Tuesday, lunar 七月二十.
  const char* described[] = {"", "每天", "工作日", "每周二", "每月1日", "每年9月1日", "每月农历二十", "每年农历七月二十"};
  for (int kind = 0; kind < 8; ++kind) {
    ChooseEntry(s, kEditorTitle, 1030, kind, /*notify=*/true);
    EXPECT_TRUE(e2e::Session::WaitUntil([&] { return s.Item(kEditorTitle, 1031)->text == described[kind]; }))
        << kind << ": " << s.Item(kEditorTitle, 1031)->text;
    EXPECT_EQ(s.Item(kEditorTitle, 1032 + 1)->visible, kind == 3) << "weekday boxes, kind " << kind;
    EXPECT_EQ(s.Item(kEditorTitle, 1039)->visible, kind == 7) << "leap month box, kind " << kind;
    EXPECT_EQ(s.Item(kEditorTitle, 1040)->visible, kind != 0) << "end date, kind " << kind;
    s.KeepScreenshot("plan-editor-repeat-" + std::to_string(kind));
  }
  // 每年农历 on 2026-09-25, 八月十五, also in a leap eighth month.
  ChooseEntry(s, kEditorTitle, 1003, 24, /*notify=*/true);
  ClickItem(s, kEditorTitle, 1039);
  EXPECT_TRUE(e2e::Session::WaitUntil(
      [&] { return s.Item(kEditorTitle, 1031)->text == "每年农历八月十五(含闰月)"; }))
      << s.Item(kEditorTitle, 1031)->text;
  s.Winctl("settext " + s.Item(kEditorTitle, 1007)->handle + " " + e2e::ShellQuote("中秋"));
  ClickItem(s, kEditorTitle, 1015);
  ASSERT_TRUE(s.WaitForNoWindow(kEditorTitle));
  const std::string expected = Record("2026-08-01 08:00", "早会 in 三楼") + Record("2026-08-02 08:00", "NULL") +
                               RepeatingRecord("2026-09-25 09:00", "lunar-yearly 08-15 leap", "中秋") +
                               Record("2031-01-01 08:00", "甲-----CR-----LF-----乙");
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return ReadPlanFile(s) == expected; }, 5000)) << ReadPlanFile(s);
  auto rows = ListRows(s);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[2], "*未选中\t2026-09-25 09:00 每年农历八月十五(含闰月) 还有 24 天\t中秋");
  s.KeepScreenshot("plan-manager-with-rule");
}

constexpr unsigned kLbSetSel = 0x0185;
constexpr char kMissedTitle[] = "错过的提醒";

std::vector<std::string> ListBoxRows(e2e::Session& s, const std::string& handle) {
  std::vector<std::string> rows;
  std::istringstream in(s.Winctl("listbox " + handle).out);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) rows.push_back(line);
  }
  return rows;
}

TEST(Planner, PlansMissedWhileBrovaWasOffAreListedOnceAtStartAndCanBeSnoozedOrDismissed) {
  e2e::Session s;
  // Off since 1 November; started on Friday 4 December 09:00, so seven
  // days back is 27 November 09:00. The snooze chosen last was 30 minutes.
  s.SetEnv("VISTREL_CLOCK", "2026-12-04 09:00");
  ASSERT_TRUE(e2e::WriteFile(s.appDir() + "/data/reminder.ini", "[LAST_RUN]\r\n2026-11-01 08:00\r\n[LAST_SNOOZE]\r\n30\r\n"));
  WritePlanFile(s, Record("2026-11-20 10:00", "太早了") + Record("2026-12-02 10:00", "交房租") +
                       RepeatingRecord("2026-11-01 08:00", "daily", "吃药") + Record("2026-12-04 09:00", "现在开会") +
                       Record("2026-12-25 09:00", "圣诞"));
  pid_t brova = StartBrova(s);
  auto missed = s.WaitForWindow(kMissedTitle);
  ASSERT_TRUE(missed) << "no list of missed reminders";
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    missed = s.Window(kMissedTitle);
    return missed && missed->visible;
  }));
  // Right-aligned with the prompts, above their place.
  EXPECT_EQ(missed->right, 1280 - 24);
  EXPECT_EQ(missed->bottom, kPromptTop - 8);
  EXPECT_TRUE(missed->topmost);
  auto list = s.Item(missed->handle, 1051);
  ASSERT_TRUE(list);
  EXPECT_EQ(ListBoxRows(s, list->handle),
            (std::vector<std::string>{"*0\t2026-12-02 10:00  交房租", "*1\t2026-12-04 08:00  吃药 (错过 7 次)"}));
  EXPECT_EQ(s.Item(missed->handle, 1050)->text, "brova 未运行时错过了 2 个提醒:");
  int selected = -1;
  EXPECT_EQ(ComboEntries(s, missed->handle, 1052, &selected),
            (std::vector<std::string>{"5分钟后再次提示", "10分钟后再次提示", "30分钟后再次提示", "1小时后再次提示",
                                      "2小时后再次提示"}));
  EXPECT_EQ(selected, 2) << "the snooze chosen last";
  // The plan of the start minute comes as ever, in its prompt.
  auto prompt = WaitForPromptInPlace(s, kPromptTitle);
  ASSERT_TRUE(prompt);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return TimeLineInk(s.Grab()) > 60; }, 5000));
  s.KeepScreenshot("missed-reminders");

  // 交房租 alone, in 10 minutes: it waits in a hidden prompt, the other row stays.
  s.Send(list->handle, kLbSetSel, 0, -1);
  s.Send(list->handle, kLbSetSel, 1, 0);
  ChooseEntry(s, missed->handle, 1052, 1);
  ClickItem(s, missed->handle, 1053);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    return ListBoxRows(s, list->handle) == std::vector<std::string>{"*0\t2026-12-04 08:00  吃药 (错过 7 次)"};
  })) << ListBoxRows(s, list->handle).size();
  EXPECT_EQ(s.Item(missed->handle, 1050)->text, "brova 未运行时错过了 1 个提醒:");
  auto prompts = Prompts(s);
  ASSERT_EQ(prompts.size(), 2u);
  EXPECT_NE(prompts[0].visible, prompts[1].visible) << "the snoozed one is hidden";
  const std::string state = e2e::ReadFile(s.appDir() + "/data/reminder.ini");
  EXPECT_EQ(state.substr(0, 27), "[LAST_RUN]\r\n2026-12-04 09:0") << state;
  EXPECT_NE(state.find("[LAST_SNOOZE]\r\n10\r\n"), std::string::npos) << state;
  // A new prompt starts on that snooze.
  s.Post("Pagorin", kWmCommand, kShowPlan);
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return Prompts(s).size() == 3; }));
  for (const auto& p : Prompts(s)) {
    if (p.handle == prompt->handle || !p.visible) continue;
    ComboEntries(s, p.handle, kSnoozeList, &selected);
    EXPECT_EQ(selected, 2) << "10分钟后再次提示";
  }

  // "我知道了" takes the rest, and the list goes.
  ClickItem(s, missed->handle, 1054);
  EXPECT_TRUE(s.WaitForNoWindow(missed->handle));

  // Listed once: the next start lists nothing, and its plan of the minute comes.
  s.Post("Pagorin", kWmCommand, 32796);
  ASSERT_TRUE(s.WaitForExit(brova));
  brova = StartBrova(s);
  ASSERT_TRUE(WaitForPromptInPlace(s, kPromptTitle));
  EXPECT_FALSE(s.Window(kMissedTitle));
  s.Post("Pagorin", kWmCommand, 32796);
  EXPECT_TRUE(s.WaitForExit(brova));
}

}  // namespace
