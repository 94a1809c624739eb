#include "online/TcpSocket.h"

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

int CTcpSocket::Connect(const std::string& address, uint16_t port, int timeoutMs) {
  Close();
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

CTcpSocket::ReceiveResult CTcpSocket::ReceiveToFile(std::FILE* file, uint64_t maxBodyBytes) {
  std::vector<char> chunk(kReceiveChunk);
  uint64_t bodyBytes = 0;
  auto writeBody = [&](const char* data, size_t n) {
    if (n == 0) return kReceived;
    if (bodyBytes + n > maxBodyBytes) return kBodyTooLarge;
    bodyBytes += n;
    return std::fwrite(data, 1, n, file) == n ? kReceived : kWriteFailed;
  };

  // Header phase, on bytes: the empty line may fall across two chunks, and a
  // NUL byte in the header must not shift the cut.
  static const char kEmptyLine[] = "\r\n\r\n";
  std::string header;
  for (;;) {
    long n = sock::Receive(handle_, chunk.data(), chunk.size());
    if (n <= 0) return kReceived;  // ended inside the header: nothing stored
    size_t before = header.size();
    header.append(chunk.data(), static_cast<size_t>(n));
    size_t p = header.find(kEmptyLine, before >= 3 ? before - 3 : 0, 4);
    if (p != std::string::npos && p + 4 <= kMaxHeaderBytes) {
      size_t bodyStart = p + 4 - before;  // offset inside this chunk
      ReceiveResult r = writeBody(chunk.data() + bodyStart, static_cast<size_t>(n) - bodyStart);
      if (r != kReceived) return r;
      break;
    }
    if (header.size() >= kMaxHeaderBytes) return kReceived;  // a header that never ends
  }

  for (;;) {
    long n = sock::Receive(handle_, chunk.data(), chunk.size());
    if (n <= 0) break;
    ReceiveResult r = writeBody(chunk.data(), static_cast<size_t>(n));
    if (r != kReceived) return r;
  }
  return kReceived;
}

void CTcpSocket::Close() {
  if (handle_ == sock::kNoSocket) return;
  sock::ShutdownAndClose(handle_);
  handle_ = sock::kNoSocket;
}
