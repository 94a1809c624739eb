#include "online/UpdateThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>

namespace {

// Polls until cond holds; false after timeoutMs.
template <typename Cond>
bool Eventually(Cond cond, int timeoutMs = 10000) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!cond()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

TEST(UpdateThread, StopEndsAWaitAtOnceAndThereIsOneThreadPerRun) {
  auto answers = std::make_shared<std::promise<bool>>();
  auto waiting = std::make_shared<std::promise<void>>();
  CUpdateThread thread;
  ASSERT_TRUE(thread.Start([answers, waiting](WaitFunction wait) {
    EXPECT_TRUE(wait(1));  // a short wait runs its course
    waiting->set_value();
    answers->set_value(wait(10 * 60 * 1000));
    return 0;
  }));
  EXPECT_FALSE(thread.Start([](WaitFunction) { return 0; }));
  waiting->get_future().wait();
  // Far less than the wait: the worker must have been woken.
  EXPECT_TRUE(thread.Stop(60 * 1000));
  EXPECT_FALSE(answers->get_future().get());
  EXPECT_TRUE(thread.Stop(0));
  EXPECT_EQ(CUpdateThread::LeftRunning(), 0);

  CUpdateThread neverStarted;
  EXPECT_TRUE(neverStarted.Stop(0));
}

TEST(UpdateThread, ABusyWorkerIsLeftBehindAndOutlivesItsOwnerSafely) {
  auto gate = std::make_shared<std::promise<void>>();
  std::shared_future<void> opened = gate->get_future().share();
  auto afterStop = std::make_shared<std::atomic<int>>(-1);
  {
    CUpdateThread thread;
    ASSERT_TRUE(thread.Start([opened, afterStop](WaitFunction wait) {
      opened.wait();  // a download that takes its time
      *afterStop = wait(0) ? 1 : 0;
      return 0;
    }));
    EXPECT_FALSE(thread.Stop(20));
    EXPECT_EQ(CUpdateThread::LeftRunning(), 1);
    EXPECT_FALSE(thread.Stop(0));
  }  // the owner goes while the worker still runs
  gate->set_value();
  EXPECT_TRUE(Eventually([&] { return CUpdateThread::LeftRunning() == 0; }));
  EXPECT_EQ(afterStop->load(), 0) << "the stop must still be seen after the owner has gone";
}

}  // namespace
