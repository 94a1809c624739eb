// What the calendar and planner tests share: starting brova with its
// capture window out of the way, opening the windows through the frame's
// commands, clicking, message boxes, and the plan file.
#pragma once
#include <gtest/gtest.h>

#include <ctime>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "common/Text.h"
#include "common/FrameMessages.h"
#include "tests/support/E2e.h"

namespace planner_e2e {

constexpr unsigned kWmCommand = 0x0111;
constexpr unsigned kWmSysCommand = 0x0112;
constexpr unsigned kScMinimize = 0xF020;
constexpr unsigned kCbSetCurSel = 0x014E;
constexpr unsigned kCbnSelChange = 1;
using frame_msg::kReloadAll;
constexpr unsigned kShowPlan = 32783;
constexpr unsigned kShowCalendar = 33100;
constexpr unsigned kShowPlanManager = 33101;

constexpr char kManagerTitle[] = "计划管理-Tolvana";
constexpr char kEditorTitle[] = "计划编辑-Tolvana";
constexpr char kCalendarTitle[] = "日历-Tolvana";
constexpr char kPromptTitle[] = "计划提醒";

// Starts brova and minimises its always-on-top capture window, which
// stands in the middle of the screen, as a user would before working with
// the toolbox windows.
inline pid_t StartBrova(e2e::Session& s) {
  pid_t pid = s.StartBrova();
  EXPECT_TRUE(s.WaitForWindow("Vistrel")) << "brova did not start";
  s.Post("Vistrel", kWmSysCommand, kScMinimize);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    auto w = s.Window("Vistrel");
    return w && w->left < -1000;
  }));
  return pid;
}

inline void Pause(int ms) {
  e2e::Session::WaitUntil([] { return false; }, ms);
}

inline void Click(e2e::Session& s, int x, int y) {
  s.Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
}
inline void DoubleClick(e2e::Session& s, int x, int y) {
  s.Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click --repeat 2 --delay 80 1");
}
inline void ClickItem(e2e::Session& s, const std::string& window, int id) {
  auto item = s.Item(window, id);
  ASSERT_TRUE(item) << "no control " << id << " in " << window;
  Click(s, item->centerX(), item->centerY());
}

// Selects a combo box entry and tells the dialog, as choosing it with the
// mouse does.
inline void ChooseEntry(e2e::Session& s, const std::string& window, int id, int index, bool notify = false) {
  auto combo = s.Item(window, id);
  ASSERT_TRUE(combo) << "no combo box " << id;
  s.Send(combo->handle, kCbSetCurSel, index);
  if (notify) {
    auto dialog = s.Window(window);
    ASSERT_TRUE(dialog);
    s.Send(dialog->handle, kWmCommand, (kCbnSelChange << 16) | id,
           static_cast<long>(std::strtoul(combo->handle.c_str(), nullptr, 16)));
  }
}

// The entries of a combo box; the selected index goes to selected.
inline std::vector<std::string> ComboEntries(e2e::Session& s, const std::string& window, int id,
                                             int* selected = nullptr) {
  std::vector<std::string> entries;
  auto combo = s.Item(window, id);
  if (!combo) return entries;
  std::istringstream in(s.Winctl("combo " + combo->handle).out);
  std::string line;
  if (selected) *selected = -1;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (line[0] == '*') {
      if (selected) *selected = static_cast<int>(entries.size());
      line.erase(0, 1);
    }
    entries.push_back(line.substr(line.find('\t') + 1));
  }
  return entries;
}

// A message box of brova with that text.
inline std::optional<e2e::WindowInfo> WaitForMessage(e2e::Session& s, const std::string& text,
                                                     int timeoutMs = 10000) {
  return e2e::WaitForMessageBox(s, text, e2e::TextMatch::kWhole, timeoutMs);
}
using e2e::CloseMessage;

inline std::string PlanFilePath(e2e::Session& s) { return s.appDir() + "/data/plan.ini"; }
// The plan file as UTF-8 (it is stored in GBK).
inline std::string ReadPlanFile(e2e::Session& s) { return text::FromGb(e2e::ReadFile(PlanFilePath(s))); }
inline void WritePlanFile(e2e::Session& s, const std::string& utf8) {
  ASSERT_TRUE(e2e::WriteFile(PlanFilePath(s), text::ToGb(utf8)));
}
inline std::string Record(const std::string& time, const std::string& storedContent) {
  return "||TIME:" + time + "\r\n||CONTENT:" + storedContent + "\r\n";
}

// The rows of the plan manager's list, columns joined by tabs, "*" before
// the selected row.
inline std::vector<std::string> ListRows(e2e::Session& s) { return e2e::Rows(s, kManagerTitle, 1022, true); }

// The check column of a row as ListRows gives it: "选中" or "未选中".
inline std::string Mark(const std::string& row) {
  size_t start = !row.empty() && row[0] == '*' ? 1 : 0;
  return row.substr(start, row.find('\t') - start);
}

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
};
inline Box RowRect(e2e::Session& s, int row) {
  Box b;
  auto list = s.Item(kManagerTitle, 1022);
  if (!list) return b;
  std::istringstream in(s.Winctl("lvrect " + list->handle + " " + std::to_string(row)).out);
  in >> b.left >> b.top >> b.right >> b.bottom;
  return b;
}
// The client area of a window on the screen.
inline Box ClientArea(e2e::Session& s, const std::string& window) {
  Box b;
  std::istringstream in(s.Winctl("client " + e2e::ShellQuote(window)).out);
  in >> b.left >> b.top >> b.right >> b.bottom;
  return b;
}

// Asks for a window far smaller than any layout needs, as a user dragging
// its corner would, and waits until it has moved there.
inline void TryToShrink(e2e::Session& s, const std::string& window) {
  ASSERT_EQ(s.Winctl("move " + e2e::ShellQuote(window) + " 100 100 130 120").status, 0);
  ASSERT_TRUE(e2e::Session::WaitUntil([&] {
    auto w = s.Window(window);
    return w && w->left == 100 && w->top == 100;
  }));
}

// Clicks a row of the plan list in a column: 0 the check mark, 1 the
// time, 2 the content.
inline void ClickRow(e2e::Session& s, int row, int column) {
  Box r = RowRect(s, row);
  ASSERT_GT(r.bottom, r.top) << "row " << row << " not found";
  const int x[] = {r.left + 8, r.left + 100, r.left + 200};
  Click(s, x[column], (r.top + r.bottom) / 2);
}

inline void OpenManager(e2e::Session& s) {
  s.Post("Pagorin", kWmCommand, kShowPlanManager);
  ASSERT_TRUE(s.WaitForWindow(kManagerTitle)) << "plan manager did not open";
}

// The local time now, and a time text some minutes from it.
inline std::tm LocalNow(int minutesFromNow = 0) {
  std::time_t t = std::time(nullptr) + minutesFromNow * 60;
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}
inline std::string TimeText(const std::tm& tm) {
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M", &tm);
  return buf;
}
// Waits, when needed, so that at least secondsLeft seconds of the current
// minute remain.
inline void LeaveTimeInMinute(int secondsLeft) {
  while (60 - LocalNow().tm_sec < secondsLeft) Pause(1000);
}

// Counts pixels of the rectangle whose colour is close to (r, g, b).
inline int CountColour(const e2e::Image& img, int left, int top, int right, int bottom, int r, int g, int b,
                       int tolerance = 40) {
  int n = 0;
  for (int y = std::max(top, 0); y < std::min(bottom, img.height); ++y)
    for (int x = std::max(left, 0); x < std::min(right, img.width); ++x) {
      const unsigned char* p = img.at(x, y);
      if (std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance && std::abs(p[2] - b) <= tolerance) ++n;
    }
  return n;
}
// Pixels that are red: strong red, little green and blue.
inline int CountRed(const e2e::Image& img, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = std::max(top, 0); y < std::min(bottom, img.height); ++y)
    for (int x = std::max(left, 0); x < std::min(right, img.width); ++x) {
      const unsigned char* p = img.at(x, y);
      if (p[0] > 180 && p[1] < 110 && p[2] < 110) ++n;
    }
  return n;
}
inline int CountDark(const e2e::Image& img, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = std::max(top, 0); y < std::min(bottom, img.height); ++y)
    for (int x = std::max(left, 0); x < std::min(right, img.width); ++x)
      if (img.gray(x, y) < 128) ++n;
  return n;
}

}  // namespace planner_e2e
