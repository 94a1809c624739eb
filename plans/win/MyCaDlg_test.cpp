#include "plans/win/MyCaDlg.h"

#include <gtest/gtest.h>

#include <string>

#include "common/win/SharedGdi.h"
#include "resources/planner_ids.h"

namespace {

HWND FindPrompt() { return FindWindowW(nullptr, L"\x8BA1\x5212\x63D0\x9192"); }  // 计划提醒

void Pump(int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  MSG msg;
  while (static_cast<int>(end - GetTickCount()) > 0) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

// The test program's folder has no skin: these prompts take the plain face.
TEST(ReminderPrompt, SlidesUpAtTheLowerRightAndClosesForGoodOnConfirm) {
  shared_gdi::Create();
  PlanRecord plan{{2012, 5, 28, 14, 55}, "Meeting"};
  OpenPlanPrompt(nullptr, plan);
  HWND prompt = FindPrompt();
  ASSERT_TRUE(prompt);
  Pump(900);
  RECT r;
  GetWindowRect(prompt, &r);
  int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(r.left, screenW - 324);
  EXPECT_EQ(r.right, screenW - 24);
  EXPECT_EQ(r.bottom, screenH - 32);
  EXPECT_EQ(r.bottom - r.top, 180) << "the slide did not reach full height";
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
  Pump(200);
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
  Pump(900);
  RECT r;
  GetWindowRect(prompt, &r);
  EXPECT_EQ(r.bottom - r.top, 180);
  EXPECT_EQ(SendMessageW(snooze, CB_GETCURSEL, 0, 0), 1);
  DestroyWindow(prompt);

  // A missed plan snoozed from the list waits hidden until its timer ends.
  OpenSnoozedPlanPrompt(nullptr, PlanRecord{{2026, 12, 2, 10, 0}, "rent"}, 600000);
  prompt = FindPrompt();
  ASSERT_TRUE(prompt);
  Pump(300);
  EXPECT_FALSE(IsWindowVisible(prompt));
  SendMessageW(prompt, WM_TIMER, 2, 0);
  Pump(900);
  GetWindowRect(prompt, &r);
  EXPECT_TRUE(IsWindowVisible(prompt));
  EXPECT_EQ(r.bottom - r.top, 180);
  DestroyWindow(prompt);
}

}  // namespace
