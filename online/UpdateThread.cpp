#include "online/UpdateThread.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>

namespace {
std::atomic<int> g_leftRunning{0};
}  // namespace

struct CUpdateThread::Shared {
  std::mutex mutex;
  std::condition_variable changed;
  bool stop = false;
  bool done = false;
  bool left = false;  // detached by Stop while still running
};

CUpdateThread::~CUpdateThread() { Stop(0); }

bool CUpdateThread::Start(Procedure procedure) {
  if (shared_) return false;
  auto shared = std::make_shared<Shared>();
  WaitFunction wait = [shared](int milliseconds) {
    std::unique_lock<std::mutex> lock(shared->mutex);
    return !shared->changed.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] { return shared->stop; });
  };
  thread_ = std::thread([shared, procedure = std::move(procedure), wait = std::move(wait)] {
    try {
      procedure(wait);
    } catch (const std::exception&) {
      // The worker reports nothing to the user; the next run tries again.
    }
    std::lock_guard<std::mutex> lock(shared->mutex);
    shared->done = true;
    if (shared->left) --g_leftRunning;
    shared->changed.notify_all();
  });
  shared_ = std::move(shared);
  return true;
}

bool CUpdateThread::Stop(int graceMs) {
  if (!shared_) return true;
  if (!thread_.joinable()) {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->done;
  }
  bool done;
  {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    shared_->stop = true;
    shared_->changed.notify_all();
    done = shared_->changed.wait_for(lock, std::chrono::milliseconds(graceMs), [&] { return shared_->done; });
    if (!done) {
      shared_->left = true;
      ++g_leftRunning;
    }
  }
  if (done)
    thread_.join();
  else
    thread_.detach();
  return done;
}

int CUpdateThread::LeftRunning() { return g_leftRunning.load(); }
