// The shutdown countdown on a real window: it counts down once a second and
// calls its shutdown action at zero; "取消关机" ends it without the action;
// the Close command is refused.
#include <gtest/gtest.h>

#include "assistant/win/ShutdownPromptDlg.h"
#include "resources/assistant_ids.h"
#include "win/App.h"

namespace {

bool PumpUntil(const std::function<bool()>& cond, int maxMs = 20000) {
  for (int i = 0; i < maxMs / 10 && !cond(); ++i) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) win::App::PumpMessage(msg);
    Sleep(10);
  }
  return cond();
}

TEST(ShutdownPrompt, CountsDownToTheActionOrIsCancelled) {
  int shutDowns = 0;
  CShutdownPromptDlg counting([&] { ++shutDowns; }, 3);
  ASSERT_TRUE(counting.Open(nullptr));
  EXPECT_EQ(counting.ItemText(IDC_PROMPT_COUNTDOWN), "关机时间到,将在30秒后自动关机.");
  EXPECT_EQ(GetFocus(), counting.Item(IDCANCEL)) << "Enter cancels";
  counting.Send(WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(IsWindowVisible(counting.hwnd())) << "the Close command is refused";
  ASSERT_TRUE(PumpUntil([&] { return counting.ItemText(IDC_PROMPT_COUNTDOWN) == "系统将在 1 秒后关机"; }));
  EXPECT_EQ(shutDowns, 0);
  ASSERT_TRUE(PumpUntil([&] { return shutDowns > 0; }));
  EXPECT_FALSE(IsWindowVisible(counting.hwnd()));

  CShutdownPromptDlg cancelled([&] { ++shutDowns; }, 2);
  ASSERT_TRUE(cancelled.Open(nullptr));
  cancelled.Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_FALSE(IsWindowVisible(cancelled.hwnd()));
  EXPECT_FALSE(PumpUntil([&] { return shutDowns > 1; }, 4000)) << "no action after a cancel";
}

}  // namespace
