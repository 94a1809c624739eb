// The shutdown countdown on a real window: it counts down once a second and
// calls its shutdown action at zero; "取消关机" ends it without the action;
// the Close command is refused. The frame's watch opens it at the stored
// minute and closes it when the time is cancelled or changed. The action
// here only counts: nothing is shut down.
#include <gtest/gtest.h>

#include "assistant/win/ShutdownPromptDlg.h"
#include "assistant/win/ShutdownWatch.h"
#include "resources/assistant_ids.h"
#include "tests/support/Pump_windows.h"
#include "win/App.h"
#include "win/Window.h"

namespace {

TEST(ShutdownPrompt, CountsDownToTheActionOrIsCancelled) {
  int shutDowns = 0;
  CShutdownPromptDlg counting([&] { ++shutDowns; }, 3);
  ASSERT_TRUE(counting.Open(nullptr));
  EXPECT_EQ(counting.ItemText(IDC_PROMPT_COUNTDOWN), "关机时间到,将在30秒后自动关机.");
  EXPECT_EQ(GetFocus(), counting.Item(IDCANCEL)) << "Enter cancels";
  counting.Send(WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(IsWindowVisible(counting.hwnd())) << "the Close command is refused";
  ASSERT_TRUE(test_pump::Until([&] { return counting.ItemText(IDC_PROMPT_COUNTDOWN) == "系统将在 1 秒后关机"; }));
  EXPECT_EQ(shutDowns, 0);
  ASSERT_TRUE(test_pump::Until([&] { return shutDowns > 0; }));
  EXPECT_FALSE(IsWindowVisible(counting.hwnd()));

  CShutdownPromptDlg cancelled([&] { ++shutDowns; }, 2);
  ASSERT_TRUE(cancelled.Open(nullptr));
  cancelled.Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_FALSE(IsWindowVisible(cancelled.hwnd()));
  EXPECT_FALSE(test_pump::Until([&] { return shutDowns > 1; }, 4000)) << "no action after a cancel";
}

class Owner : public win::Window {
 public:
  Owner() {
    RegisterClass(L"brova.test.shutdown");
    Create(0, L"brova.test.shutdown", "brova shutdown owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr);
  }
};

HWND Countdown() { return FindWindowW(nullptr, L"关机提示框"); }

TEST(ShutdownWatch, ACancelledOrChangedTimeEndsTheCountdownAndANewTimeComesThatDay) {
  Owner owner;
  int shutDowns = 0;
  CShutdownWatch watch([&] { ++shutDowns; }, 2);
  watch.Start(owner.hwnd(), 0x7364);
  const ShutdownSettings at2205{1, 22, 5, 0}, at2207{1, 22, 7, 0}, at2208{1, 22, 8, 0}, none{0, -1, 5, 0};
  const LocalMinute day{2026, 12, 7, 22, 5};
  auto minute = [&](int m) { return LocalMinute{day.year, day.month, day.day, 22, m}; };

  watch.Check(at2205, minute(4));
  EXPECT_FALSE(watch.Counting());
  watch.Check(at2205, minute(5));
  ASSERT_TRUE(watch.Counting());
  HWND first = Countdown();
  ASSERT_NE(first, nullptr);
  watch.Check(at2205, minute(5));
  EXPECT_EQ(Countdown(), first) << "the same time read again counts on";
  // "取消自动关机" while it counts: the window goes, and its time passes without a shutdown.
  watch.Check(none, minute(5));
  EXPECT_FALSE(watch.Counting());
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(test_pump::Until([&] { return shutDowns > 0; }, 4000)) << "shut down after the time was cancelled";

  // A time saved after that comes at its minute the same day; changing it
  // while it counts ends that countdown too.
  watch.Check(at2207, minute(7));
  ASSERT_TRUE(watch.Counting()) << "the day's first countdown used up the day";
  watch.Check(at2208, minute(7));
  EXPECT_FALSE(watch.Counting());
  EXPECT_EQ(Countdown(), nullptr);
  EXPECT_FALSE(test_pump::Until([&] { return shutDowns > 0; }, 4000)) << "shut down after the time was changed";

  // Left alone, the countdown ends in the action.
  watch.Check(at2208, minute(8));
  ASSERT_TRUE(watch.Counting());
  EXPECT_TRUE(test_pump::Until([&] { return shutDowns == 1; }));
  EXPECT_FALSE(watch.Counting());
}

}  // namespace
