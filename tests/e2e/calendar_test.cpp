// The calendar window as a user sees it: the month grid with lunar day
// texts and solar terms in red under the title line, the 休/班 marks of the
// holiday file with the detail line of a day, the year and month lists with
// their arrow buttons, and the way into the plan manager.
#include <gtest/gtest.h>

#include <functional>

#include "tests/e2e/PlannerSupport.h"

namespace {

using namespace planner_e2e;

constexpr int kYearList = 1024;
constexpr int kMonthList = 1002;
constexpr int kYearBack = 1009;
constexpr int kYearForward = 1011;
constexpr int kMonthBack = 1007;
constexpr int kMonthForward = 1008;
constexpr int kPlanButton = 1010;
constexpr int kGrid = 1017;
constexpr int kDetail = 1100;
constexpr int kShowHolidays = 1101;

void OpenCalendar(e2e::Session& s) {
  s.Post("Pagorin", kWmCommand, kShowCalendar);
  ASSERT_TRUE(s.WaitForWindow(kCalendarTitle)) << "calendar did not open";
}

void ShowMonth(e2e::Session& s, int year, int month) {
  ChooseEntry(s, kCalendarTitle, kYearList, year - 1901, true);
  ChooseEntry(s, kCalendarTitle, kMonthList, month - 1, true);
}

// Starts brova and shows a month in its calendar.
void StartAtMonth(e2e::Session& s, int year, int month) {
  StartBrova(s);
  OpenCalendar(s);
  ShowMonth(s, year, month);
}

// The grid's row and column of a day, in a month whose first day falls on
// weekday first (0 for Sunday).
std::pair<int, int> CellOfDay(int first, int day) { return {(first + day - 1) / 7, (first + day - 1) % 7}; }

// The grid's areas on the screen, as the window lays them out.
struct Grid {
  int left, top, width, height, cellWidth, cellHeight;
  Box Cell(int row, int column) const {
    int l = left + column * cellWidth, t = top + 94 + row * cellHeight;
    return {l, t, l + cellWidth - 1, t + cellHeight - 1};
  }
  Box DayNumber(int row, int column) const {
    Box c = Cell(row, column);
    return {c.left + 1, c.top + 1, c.right - 1, c.top + cellHeight / 2};
  }
  Box DayText(int row, int column) const {
    Box c = Cell(row, column);
    int t = c.top + cellHeight / 2 + 2;
    return {c.left + 1, t, c.right - 1, t + 16};
  }
};

// Grabs the screen into img until shown() holds of it, up to timeoutMs.
bool GrabUntil(e2e::Session& s, e2e::Image& img, const std::function<bool()>& shown, int timeoutMs = 10000) {
  return e2e::Session::WaitUntil([&] {
    img = s.Grab();
    return shown();
  }, timeoutMs);
}

Grid GridOf(e2e::Session& s) {
  auto g = s.Item(kCalendarTitle, kGrid);
  EXPECT_TRUE(g);
  Grid grid{g->left, g->top, g->width(), g->height(), 0, 0};
  grid.cellWidth = grid.width / 7;
  grid.cellHeight = (grid.height - 94) / 6;
  return grid;
}

// Starts brova at a month of its calendar and finds the month's grid.
Grid StartAtMonthGrid(e2e::Session& s, int year, int month) {
  StartAtMonth(s, year, month);
  return GridOf(s);
}

int Red(const e2e::Image& img, const Box& b) { return CountRed(img, b.left, b.top, b.right, b.bottom); }
int Ink(const e2e::Image& img, const Box& b) { return CountDark(img, b.left, b.top, b.right, b.bottom); }

TEST(Calendar, OpensOnTodaysMonthWithItsLayout) {
  e2e::Session s;
  StartBrova(s);
  OpenCalendar(s);
  auto cal = s.Window(kCalendarTitle);
  EXPECT_EQ(cal->width(), 640);
  EXPECT_EQ(cal->height(), 460);
  EXPECT_NEAR(cal->centerX(), 640, 1);
  EXPECT_NEAR(cal->centerY(), 400, 1);

  std::tm now = LocalNow();
  int selected = -1;
  auto years = ComboEntries(s, kCalendarTitle, kYearList, &selected);
  ASSERT_EQ(years.size(), 149u);
  EXPECT_EQ(years.front(), "1901年");
  EXPECT_EQ(years.back(), "2049年");
  EXPECT_EQ(selected, now.tm_year + 1900 - 1901);
  auto months = ComboEntries(s, kCalendarTitle, kMonthList, &selected);
  ASSERT_EQ(months.size(), 12u);
  EXPECT_EQ(months.front(), "1月");
  EXPECT_EQ(months.back(), "12月");
  EXPECT_EQ(selected, now.tm_mon);

  // One row of controls at y = 5, the grid below.
  Box client = ClientArea(s, kCalendarTitle);
  int cx = client.left, cy = client.top;
  struct Expected {
    int id, x, width;
    const char* caption;
  } row[] = {{kYearBack, 5, 20, "<<"},      {kYearList, 30, 80, nullptr},     {kYearForward, 115, 20, ">>"},
             {kMonthBack, 140, 20, "<<"},   {kMonthList, 165, 80, nullptr},   {kMonthForward, 250, 20, ">>"},
             {kPlanButton, 275, 70, "计划编辑"}, {kShowHolidays, 355, 90, "显示节假日"}};
  for (const auto& e : row) {
    auto item = s.Item(kCalendarTitle, e.id);
    ASSERT_TRUE(item) << e.id;
    EXPECT_EQ(item->left - cx, e.x) << e.id;
    EXPECT_EQ(item->top - cy, 5) << e.id;
    EXPECT_EQ(item->width(), e.width) << e.id;
    if (e.caption) {
      EXPECT_EQ(item->text, e.caption);
    }
  }
  auto grid = s.Item(kCalendarTitle, kGrid);
  EXPECT_EQ(grid->left - cx, 5);
  EXPECT_EQ(grid->top - cy, 30);
  EXPECT_EQ(grid->width(), client.right - client.left - 10);
  EXPECT_EQ(grid->height(), client.bottom - client.top - 35 - 22);
  // The detail line under the grid tells of today.
  auto detail = s.Item(kCalendarTitle, kDetail);
  ASSERT_TRUE(detail);
  EXPECT_EQ(detail->left - cx, 5);
  EXPECT_EQ(detail->top, grid->bottom + 2);
  EXPECT_EQ(detail->bottom, client.bottom - 5);
  int year = -1, month = -1;
  ComboEntries(s, kCalendarTitle, kYearList, &year);
  ComboEntries(s, kCalendarTitle, kMonthList, &month);
  const std::string shown = text::Format("%04d年%02d月", year + 1901, month + 1);
  EXPECT_EQ(detail->text.rfind(shown, 0), 0u) << detail->text;
  EXPECT_NE(detail->text.find("  农历"), std::string::npos) << detail->text;
  s.KeepScreenshot("calendar-today");
}

TEST(Calendar, December2012ShowsLunarDayTextsWithSolarTermsInRedUnderTheTitleLine) {
  e2e::Session s;
  Grid g = StartAtMonthGrid(s, 2012, 12);
  // December 2012 begins on a Saturday and has 31 days: all six rows.
  auto cell = [](int day) { return CellOfDay(6, day); };
  e2e::Image img;
  // 21 December, a Friday, is 冬至: red text under a black number.
  auto [r21, c21] = cell(21);
  ASSERT_TRUE(GrabUntil(s, img, [&] { return Red(img, g.DayText(r21, c21)) > 10; })) << "冬至 is not red";
  s.KeepScreenshot("calendar-2012-12");
  EXPECT_EQ(Red(img, g.DayNumber(r21, c21)), 0);
  EXPECT_GT(Ink(img, g.DayNumber(r21, c21)), 20);
  // 7 December, a Friday, is 大雪.
  auto [r7, c7] = cell(7);
  EXPECT_GT(Red(img, g.DayText(r7, c7)), 10);
  // 13 December starts the eleventh lunar month (十一月), 20 December is 初八: black.
  for (int day : {13, 20}) {
    auto [r, c] = cell(day);
    EXPECT_EQ(Red(img, g.DayText(r, c)), 0) << day;
    EXPECT_GT(Ink(img, g.DayText(r, c)), 10) << day;
    EXPECT_EQ(Red(img, g.DayNumber(r, c)), 0) << day;
  }
  // Saturday 1 and Sunday 2 December: red numbers, black day texts.
  for (int day : {1, 2}) {
    auto [r, c] = cell(day);
    EXPECT_GT(Red(img, g.DayNumber(r, c)), 8) << day;
    EXPECT_EQ(Red(img, g.DayText(r, c)), 0) << day;
  }
  // 30 and 31 December fill the sixth row; cells without a day stay empty inside their frames.
  EXPECT_GT(Ink(img, g.DayNumber(5, 1)), 20);
  for (auto [r, c] : {std::pair<int, int>{0, 0}, {0, 5}, {5, 2}, {5, 6}}) {
    Box b = g.Cell(r, c);
    EXPECT_EQ(Ink(img, Box{b.left + 2, b.top + 2, b.right - 2, b.bottom - 2}), 0) << r << "," << c;
  }
  // The band in green with the month in yellow; the weekday header; the title line in black.
  EXPECT_GT(CountColour(img, g.left, g.top + 22, g.left + g.width, g.top + 46, 109, 186, 43, 10), g.width * 12);
  EXPECT_GT(CountColour(img, g.left, g.top + 22, g.left + g.width, g.top + 46, 255, 255, 0, 60), 30);
  EXPECT_GT(CountColour(img, g.left, g.top + 47, g.left + g.cellWidth, g.top + 92, 255, 255, 0, 60), 20);
  EXPECT_GT(Ink(img, Box{g.left, g.top, g.left + g.width, g.top + 21}), 300) << "no title line";

  // January 2012 begins on a Sunday; 小寒 (Friday 6) and 大寒 (Saturday 21)
  // in red, 春节 (Monday 23) starts 正月.
  ShowMonth(s, 2012, 1);
  EXPECT_TRUE(GrabUntil(s, img, [&] { return Red(img, g.DayText(0, 5)) > 10 && Red(img, g.DayText(2, 6)) > 10; }))
      << "小寒 and 大寒 are not red";
  EXPECT_EQ(Red(img, g.DayText(3, 1)), 0);
  s.KeepScreenshot("calendar-2012-01");
}

// October 2026: 国庆节 from Thursday the 1st to Wednesday the 7th, with
// Sunday 20 September and Saturday 10 October worked.
TEST(Calendar, October2026MarksTheHolidayAndItsWorkedSaturdayAndTheDetailLineNamesThem) {
  e2e::Session s;
  Grid g = StartAtMonthGrid(s, 2026, 10);
  // 1 October 2026 is a Thursday: row 0, column 4.
  auto cell = [](int day) { return CellOfDay(4, day); };
  // The mark stands in the cell's upper right corner, right of the number.
  auto mark = [&](int day) {
    auto [r, c] = cell(day);
    Box b = g.Cell(r, c);
    return Box{b.right - 20, b.top + 2, b.right - 2, b.top + 20};
  };
  e2e::Image img;
  ASSERT_TRUE(GrabUntil(s, img, [&] { return Red(img, mark(1)) > 10 && Red(img, mark(7)) > 10; })) << "no 休 marks";
  s.KeepScreenshot("calendar-2026-10");
  for (int day = 1; day <= 7; ++day) {
    auto [r, c] = cell(day);
    EXPECT_GT(Red(img, mark(day)), 10) << day;
    EXPECT_GT(Red(img, g.DayNumber(r, c)), 8) << "a day off has a red number: " << day;
  }
  // 班 on Saturday the 10th: a dark grey mark, and a black number as on a working day.
  auto [r10, c10] = cell(10);
  EXPECT_EQ(Red(img, mark(10)), 0);
  EXPECT_GT(CountColour(img, mark(10).left, mark(10).top, mark(10).right, mark(10).bottom, 96, 96, 96, 30), 10);
  EXPECT_EQ(Red(img, g.DayNumber(r10, c10)), 0);
  EXPECT_GT(Ink(img, g.DayNumber(r10, c10)), 20);
  // Other days carry no mark; Saturday the 17th keeps its red number.
  for (int day : {8, 9, 11, 17, 31}) {
    Box m = mark(day);
    EXPECT_EQ(CountDark(img, m.left, m.top, m.right, m.bottom) + Red(img, m), 0) << day;
  }
  auto [r17, c17] = cell(17);
  EXPECT_GT(Red(img, g.DayNumber(r17, c17)), 8);

  // The detail line tells of the clicked day and of the hovered one.
  auto [r1, c1] = cell(1);
  Box one = g.Cell(r1, c1);
  Click(s, (one.left + one.right) / 2, (one.top + one.bottom) / 2);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    return s.Item(kCalendarTitle, kDetail)->text == "2026年10月01日 星期四  农历丙午年八月廿一  国庆节 休";
  }, 5000)) << s.Item(kCalendarTitle, kDetail)->text;
  Box ten = g.Cell(r10, c10);
  s.Xdotool("mousemove " + std::to_string((ten.left + ten.right) / 2) + " " + std::to_string((ten.top + ten.bottom) / 2));
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    return s.Item(kCalendarTitle, kDetail)->text == "2026年10月10日 星期六  农历丙午年九月初一  国庆节 班";
  }, 5000)) << s.Item(kCalendarTitle, kDetail)->text;
  s.KeepScreenshot("calendar-2026-10-hover");
  // Off the grid it tells of the clicked day again.
  s.Xdotool("mousemove 5 5");
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    return s.Item(kCalendarTitle, kDetail)->text.find("国庆节 休") != std::string::npos;
  }, 5000)) << s.Item(kCalendarTitle, kDetail)->text;

  // Past the data: October 2027 has no marks and says how far the data goes.
  ShowMonth(s, 2027, 10);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    return s.Item(kCalendarTitle, kDetail)->text == "2027年10月01日 星期五  农历丁未年九月初二  节假日数据截至 2026 年";
  }, 5000)) << s.Item(kCalendarTitle, kDetail)->text;

  // "显示节假日" off hides the marks, is stored, and holds when the calendar opens again.
  ShowMonth(s, 2026, 10);
  ClickItem(s, kCalendarTitle, kShowHolidays);
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return e2e::ReadFile(s.appDir() + "/data/calendar.ini") == "[SHOW_HOLIDAYS]\r\n0\r\n"; }, 5000))
      << e2e::ReadFile(s.appDir() + "/data/calendar.ini");
  EXPECT_TRUE(GrabUntil(s, img, [&] { return Red(img, mark(1)) == 0; }, 5000)) << "the 休 marks stay";
  EXPECT_EQ(CountColour(img, mark(10).left, mark(10).top, mark(10).right, mark(10).bottom, 96, 96, 96, 30), 0);
  EXPECT_GT(Red(img, g.DayNumber(r10, c10)), 8) << "without holidays the 10th is a red Saturday";
  EXPECT_EQ(s.Item(kCalendarTitle, kDetail)->text, "2026年10月01日 星期四  农历丙午年八月廿一");
  s.Post(kCalendarTitle, 0x0010);  // WM_CLOSE
  ASSERT_TRUE(s.WaitForNoWindow(kCalendarTitle));
  OpenCalendar(s);
  auto box = s.Item(kCalendarTitle, kShowHolidays);
  ASSERT_TRUE(box);
  EXPECT_EQ(s.Send(box->handle, 0x00F0 /* BM_GETCHECK */), 0);
}

TEST(Calendar, CannotBeShrunkPastTheSizeThatKeepsItsLayoutWhole) {
  e2e::Session s;
  StartAtMonth(s, 2012, 12);
  TryToShrink(s, kCalendarTitle);
  Box client = ClientArea(s, kCalendarTitle);
  EXPECT_EQ(client.right - client.left, 450);
  EXPECT_EQ(client.bottom - client.top, 402);
  auto plans = s.Item(kCalendarTitle, kPlanButton);
  ASSERT_TRUE(plans);
  EXPECT_LE(plans->right, client.right - 5) << "the plan button left the window";

  // Every cell still holds its number above its day text: 冬至 (21
  // December, row 3, column 5) in red under a black number, and the title
  // line ends before the right edge.
  Grid g = GridOf(s);
  e2e::Image img;
  ASSERT_TRUE(GrabUntil(s, img, [&] { return Red(img, g.DayText(3, 5)) > 10; })) << "冬至 is not drawn in its place";
  EXPECT_GT(Ink(img, g.DayNumber(3, 5)), 20);
  EXPECT_EQ(Red(img, g.DayNumber(3, 5)), 0) << "the day text runs into the number";
  EXPECT_GT(Ink(img, Box{g.left, g.top, g.left + g.width, g.top + 21}), 300) << "no title line";
  EXPECT_EQ(Ink(img, Box{g.left + g.width - 12, g.top, g.left + g.width, g.top + 21}), 0) << "the title is cut";
  s.KeepScreenshot("calendar-smallest");
}

TEST(Calendar, ArrowButtonsStopAtTheEndsAndTheMonthDoesNotWrap) {
  e2e::Session s;
  StartBrova(s);
  OpenCalendar(s);
  auto selection = [&](int id) {
    int selected = -1;
    ComboEntries(s, kCalendarTitle, id, &selected);
    return selected;
  };
  ShowMonth(s, 2049, 12);
  ClickItem(s, kCalendarTitle, kYearForward);
  ClickItem(s, kCalendarTitle, kMonthForward);
  Pause(500);
  EXPECT_EQ(selection(kYearList), 2049 - 1901);
  EXPECT_EQ(selection(kMonthList), 11);
  ClickItem(s, kCalendarTitle, kMonthBack);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return selection(kMonthList) == 10; }, 5000));
  ClickItem(s, kCalendarTitle, kYearBack);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return selection(kYearList) == 2048 - 1901; }, 5000));

  ShowMonth(s, 1901, 1);
  ClickItem(s, kCalendarTitle, kMonthBack);
  Pause(600);
  ClickItem(s, kCalendarTitle, kYearBack);
  Pause(500);
  EXPECT_EQ(selection(kYearList), 0);
  EXPECT_EQ(selection(kMonthList), 0) << "January must not wrap into December";
}

TEST(Calendar, PlanButtonAndADoubleClickOnTheGridOpenThePlanManager) {
  e2e::Session s;
  WritePlanFile(s, Record("2031-05-28 08:00", "早会"));
  StartBrova(s);
  OpenCalendar(s);
  ClickItem(s, kCalendarTitle, kPlanButton);
  ASSERT_TRUE(s.WaitForWindow(kManagerTitle));
  EXPECT_EQ(ListRows(s).size(), 1u);
  EXPECT_FALSE(s.Window(kCalendarTitle)->enabled) << "the manager is modal";
  s.Post(kManagerTitle, 0x0010);  // WM_CLOSE
  ASSERT_TRUE(s.WaitForNoWindow(kManagerTitle));

  Grid g = GridOf(s);
  Box cell = g.Cell(2, 3);
  DoubleClick(s, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  EXPECT_TRUE(s.WaitForWindow(kManagerTitle));
}

}  // namespace
