// A blocking TCP client socket: connect with retries, send all, receive an
// HTTP response into a file with its header block cut off, or whole as text.
#pragma once
#include <cstddef>
#include <cstdint>
#include <chrono>
#include <cstdio>
#include <string>

#include "online/DownloadDeadline.h"
#include "online/Socket.h"

class CTcpSocket {
 public:
  static constexpr int kConnectAttempts = 2;
  static constexpr int kDefaultRetryPauseMs = 1000;
  // Large reads keep the system calls few on fast links (measured by
  // tools/bench-online.sh); the header block is still cut at the right byte.
  static constexpr size_t kReceiveChunk = 256 * 1024;
  // A header block that has not ended within this many bytes never ends.
  static constexpr size_t kMaxHeaderBytes = 64 * 1024;
  // An answer kept as text is read in chunks of this size.
  static constexpr size_t kTextChunk = 3072;

  enum ReceiveResult { kReceived = 0, kWriteFailed = 1, kBodyTooLarge = 2, kDeadlinePassed = 3 };
  using Clock = std::chrono::steady_clock;

  explicit CTcpSocket(int retryPauseMs = kDefaultRetryPauseMs) : retryPauseMs_(retryPauseMs) {}
  ~CTcpSocket() { Close(); }
  CTcpSocket(const CTcpSocket&) = delete;
  CTcpSocket& operator=(const CTcpSocket&) = delete;

  // 0 connected, 1 failed. timeoutMs > 0 sets the send and receive time-outs.
  // Pauses retryPauseMs after every failed attempt, the last one included.
  int Connect(const std::string& address, uint16_t port, int timeoutMs);

  // 0 all sent, 1 a send failed.
  int SendAll(const char* data, size_t length);

  // Reads the connection to its end (or a time-out) and writes everything
  // after the first empty line to the file. A header block that never ends
  // leaves the file empty. Stops early, with kWriteFailed, kBodyTooLarge or
  // kDeadlinePassed, when the file cannot take the data, the body passes
  // maxBodyBytes or the download started at start runs past its deadline.
  ReceiveResult ReceiveToFile(std::FILE* file, uint64_t maxBodyBytes, const DownloadDeadline& deadline,
                              Clock::time_point start);

  // Reads the connection to its end (or a time-out), at most maxBytes bytes,
  // and appends what came before the first NUL byte to text.
  void ReceiveToString(std::string& text, uint64_t maxBytes);

  void Close();

 private:
  sock::Handle handle_ = sock::kNoSocket;
  int retryPauseMs_;
  int timeoutMs_ = 0;  // as given to Connect; 0 for none
};
