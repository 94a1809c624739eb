#include "online/TcpSocket.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>
#include <thread>
#include <vector>

#include "online/HttpGet.h"

int CTcpSocket::Connect(const std::string& address, uint16_t port, int timeoutMs) {
  Close();
  timeoutMs_ = timeoutMs > 0 ? timeoutMs : 0;
  for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
    // A fresh socket per attempt: after a failed connect the state of the old
    // one is not defined on every platform.
    handle_ = sock::OpenTcp();
    if (handle_ == sock::kNoSocket) return 1;
    if (timeoutMs > 0 && !sock::SetTimeouts(handle_, timeoutMs)) {
      Close();
      return 1;
    }
    if (sock::Connect(handle_, address, port)) return 0;
    Close();
    std::this_thread::sleep_for(std::chrono::milliseconds(retryPauseMs_));
  }
  return 1;
}

int CTcpSocket::SendAll(const char* data, size_t length) {
  while (length > 0) {
    long n = sock::Send(handle_, data, length);
    if (n < 0) return 1;
    data += n;
    length -= static_cast<size_t>(n);
  }
  return 0;
}

CTcpSocket::ReceiveResult CTcpSocket::ReceiveToFile(std::FILE* file, uint64_t maxBodyBytes,
                                                    const DownloadDeadline& deadline, Clock::time_point start) {
  std::vector<char> chunk(kReceiveChunk);
  uint64_t bodyBytes = 0;
  uint64_t announcedBytes = 0;  // the Content-Length, once the header has come
  auto writeBody = [&](const char* data, size_t n) {
    if (n == 0) return kReceived;
    if (bodyBytes + n > maxBodyBytes) return kBodyTooLarge;
    bodyBytes += n;
    return std::fwrite(data, 1, n, file) == n ? kReceived : kWriteFailed;
  };

  // Each receive waits no longer than the time-out and no later than the
  // deadline; the socket's time-out is changed only when that bound moves.
  int socketTimeoutMs = timeoutMs_;
  bool deadlinePassed = false;
  auto receive = [&]() -> long {
    auto allowed = std::chrono::milliseconds(deadline.AllowedMs(std::max(announcedBytes, bodyBytes)));
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(start + allowed - Clock::now()).count();
    if (left <= 0) {
      deadlinePassed = true;
      return -1;
    }
    bool untilDeadline = timeoutMs_ == 0 || left <= timeoutMs_;
    int wait = untilDeadline ? static_cast<int>(std::min<int64_t>(left, INT_MAX)) : timeoutMs_;
    if (wait != socketTimeoutMs && sock::SetTimeouts(handle_, wait)) socketTimeoutMs = wait;
    long n = sock::Receive(handle_, chunk.data(), chunk.size());
    // A receive that waited until the deadline and got nothing ends there.
    if (n < 0 && (untilDeadline || Clock::now() >= start + allowed)) deadlinePassed = true;
    return n;
  };

  // Header phase, on bytes: the empty line may fall across two chunks, and a
  // NUL byte in the header must not shift the cut.
  static const char kEmptyLine[] = "\r\n\r\n";
  std::string header;
  for (;;) {
    long n = receive();
    if (deadlinePassed) return kDeadlinePassed;
    if (n <= 0) return kReceived;  // ended inside the header: nothing stored
    size_t before = header.size();
    header.append(chunk.data(), static_cast<size_t>(n));
    size_t p = header.find(kEmptyLine, before >= 3 ? before - 3 : 0, 4);
    if (p != std::string::npos && p + 4 <= kMaxHeaderBytes) {
      // A larger announcement buys no time: such a body is refused anyway.
      if (FindContentLength(std::string_view(header).substr(0, p + 4), announcedBytes))
        announcedBytes = std::min(announcedBytes, maxBodyBytes);
      size_t bodyStart = p + 4 - before;  // offset inside this chunk
      ReceiveResult r = writeBody(chunk.data() + bodyStart, static_cast<size_t>(n) - bodyStart);
      if (r != kReceived) return r;
      break;
    }
    if (header.size() >= kMaxHeaderBytes) return kReceived;  // a header that never ends
  }

  for (;;) {
    long n = receive();
    if (deadlinePassed) return kDeadlinePassed;
    if (n <= 0) break;
    ReceiveResult r = writeBody(chunk.data(), static_cast<size_t>(n));
    if (r != kReceived) return r;
  }
  return kReceived;
}

void CTcpSocket::ReceiveToString(std::string& text, uint64_t maxBytes) {
  std::vector<char> chunk(kTextChunk);
  bool cut = false;  // a NUL byte has come: the rest is read and dropped
  for (uint64_t received = 0; received < maxBytes;) {
    size_t want = static_cast<size_t>(std::min<uint64_t>(chunk.size(), maxBytes - received));
    long n = sock::Receive(handle_, chunk.data(), want);
    if (n <= 0) break;
    received += static_cast<uint64_t>(n);
    if (cut) continue;
    size_t kept = static_cast<size_t>(std::find(chunk.data(), chunk.data() + n, '\0') - chunk.data());
    text.append(chunk.data(), kept);
    cut = kept != static_cast<size_t>(n);
  }
}

void CTcpSocket::Close() {
  if (handle_ == sock::kNoSocket) return;
  sock::ShutdownAndClose(handle_);
  handle_ = sock::kNoSocket;
}
