// The update worker's own thread, one per run. The owner can end the
// worker's waits at once; a worker still busy in a download when the program
// ends is left behind and ends with the process, so it never holds the
// program up.
#pragma once
#include <functional>
#include <memory>
#include <thread>

#include "online/UpdateWorker.h"

class CUpdateThread {
 public:
  // What the thread runs, given the wait to use for every pause.
  using Procedure = std::function<int(WaitFunction wait)>;

  CUpdateThread() = default;
  ~CUpdateThread();  // Stop(0)
  CUpdateThread(const CUpdateThread&) = delete;
  CUpdateThread& operator=(const CUpdateThread&) = delete;

  // Starts procedure on a new thread. False when this object has started
  // one before.
  bool Start(Procedure procedure);

  // Asks the procedure to stop (any wait, present or future, answers false at
  // once) and gives it up to graceMs to end. True when it has ended or never
  // started. A procedure still busy is detached: it keeps what it uses and
  // ends by itself or with the process.
  bool Stop(int graceMs);

  // Threads that Stop left running and that have not ended yet. While there
  // are any, the program ends its process without the runtime's clean-up,
  // which such a thread may still be using.
  static int LeftRunning();

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  std::thread thread_;
};
