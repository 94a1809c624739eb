#include "plans/win/ReminderPrompt.h"

#include <gtest/gtest.h>

#include <string>

#include "common/win/SharedGdi.h"
#include "resources/planner_ids.h"
#include "tests/support/Pump_windows.h"

namespace {

HWND FindPrompt() { return FindWindowW(nullptr, L"\x8BA1\x5212\x63D0\x9192"); }  // 计划提醒

int HeightOf(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return r.bottom - r.top;
}

// The slide up takes six steps of its 100 ms timer.
bool SlidUp(HWND prompt) {
  return test_pump::Until([&] { return HeightOf(prompt) == 180; });
}

// The test program's folder has no skin: these prompts take the plain face.
TEST(ReminderPrompt, SlidesUpAtTheLowerRightAndClosesForGoodOnConfirm) {
  shared_gdi::Create();
  PlanRecord plan{{2012, 5, 28, 14, 55}, "Meeting"};
  OpenPlanPrompt(nullptr, plan);
  HWND prompt = FindPrompt();
  ASSERT_TRUE(prompt);
  ASSERT_TRUE(SlidUp(prompt)) << "the slide did not reach full height";
  RECT r;
  GetWindowRect(prompt, &r);
  int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(r.left, screenW - 324);
  EXPECT_EQ(r.right, screenW - 24);
  EXPECT_EQ(r.bottom, screenH - 32);
  EXPECT_TRUE(IsWindowVisible(prompt));
  EXPECT_TRUE(GetWindowLongW(prompt, GWL_EXSTYLE) & WS_EX_TOPMOST);

  // "我知道了" is chosen at first: confirming destroys the window and its object.
  SendMessageW(prompt, WM_COMMAND, MAKEWPARAM(IDC_PROMPT_CONFIRM, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(prompt, IDC_PROMPT_CONFIRM)));
  EXPECT_FALSE(IsWindow(prompt));
}

TEST(ReminderPrompt, SnoozeHidesItUntilItsTimerAndEnterOrEscapeDoNothing) {
  shared_gdi::Create();
  OpenPlanPrompt(nullptr, std::nullopt);
  HWND prompt = FindPrompt();
  ASSERT_TRUE(prompt);
  test_pump::For(200);
  SendMessageW(prompt, WM_COMMAND, IDCANCEL, 0);
  SendMessageW(prompt, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(IsWindowVisible(prompt));

  HWND snooze = GetDlgItem(prompt, IDC_PROMPT_SNOOZE);
  ASSERT_EQ(SendMessageW(snooze, CB_GETCOUNT, 0, 0), 6);
  SendMessageW(snooze, CB_SETCURSEL, 1, 0);  // 5分钟后再次提示
  SendMessageW(prompt, WM_COMMAND, MAKEWPARAM(IDC_PROMPT_CONFIRM, BN_CLICKED), 0);
  EXPECT_TRUE(IsWindow(prompt));
  EXPECT_FALSE(IsWindowVisible(prompt));

  // The snooze timer (id 2) ends: the prompt slides up again and keeps the
  // chosen delay for the next confirm.
  SendMessageW(prompt, WM_TIMER, 2, 0);
  EXPECT_TRUE(IsWindowVisible(prompt));
  EXPECT_TRUE(SlidUp(prompt));
  EXPECT_EQ(SendMessageW(snooze, CB_GETCURSEL, 0, 0), 1);
  DestroyWindow(prompt);

  // A missed plan snoozed from the list waits hidden until its timer ends.
  OpenSnoozedPlanPrompt(nullptr, PlanRecord{{2026, 12, 2, 10, 0}, "rent"}, 600000);
  prompt = FindPrompt();
  ASSERT_TRUE(prompt);
  test_pump::For(300);
  EXPECT_FALSE(IsWindowVisible(prompt));
  SendMessageW(prompt, WM_TIMER, 2, 0);
  EXPECT_TRUE(SlidUp(prompt));
  EXPECT_TRUE(IsWindowVisible(prompt));
  DestroyWindow(prompt);
}

}  // namespace
