#include "online/Socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <climits>
#include <mutex>

namespace sock {
namespace {

// Winsock is started once for the process and left running until it ends.
bool StartWinsock() {
  static std::once_flag once;
  static bool started = false;
  std::call_once(once, [] {
    WSADATA data;
    started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  });
  return started;
}

}  // namespace

bool ResolveIPv4(const std::string& host, std::string& dotted) {
  if (host.empty() || !StartWinsock()) return false;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* result = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &result) != 0 || !result) return false;
  char text[INET_ADDRSTRLEN] = {};
  auto* in = reinterpret_cast<sockaddr_in*>(result->ai_addr);
  bool ok = inet_ntop(AF_INET, &in->sin_addr, text, sizeof text) != nullptr;
  freeaddrinfo(result);
  if (ok) dotted = text;
  return ok;
}

Handle OpenTcp() {
  if (!StartWinsock()) return kNoSocket;
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  return s == INVALID_SOCKET ? kNoSocket : static_cast<Handle>(s);
}

bool SetTimeouts(Handle s, int milliseconds) {
  // Winsock takes the time-outs as a 4-byte millisecond count.
  DWORD ms = static_cast<DWORD>(milliseconds);
  SOCKET so = static_cast<SOCKET>(s);
  return setsockopt(so, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&ms), sizeof ms) == 0 &&
         setsockopt(so, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&ms), sizeof ms) == 0;
}

bool Connect(Handle s, const std::string& dotted, uint16_t port) {
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  if (inet_pton(AF_INET, dotted.c_str(), &addr.sin_addr) != 1) return false;
  return connect(static_cast<SOCKET>(s), reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
}

long Send(Handle s, const char* data, size_t length) {
  int chunk = length > INT_MAX ? INT_MAX : static_cast<int>(length);
  int n = send(static_cast<SOCKET>(s), data, chunk, 0);
  return n == SOCKET_ERROR ? -1 : n;
}

long Receive(Handle s, char* buffer, size_t length) {
  int chunk = length > INT_MAX ? INT_MAX : static_cast<int>(length);
  int n = recv(static_cast<SOCKET>(s), buffer, chunk, 0);
  return n == SOCKET_ERROR ? -1 : n;
}

void ShutdownAndClose(Handle s) {
  if (s == kNoSocket) return;
  shutdown(static_cast<SOCKET>(s), SD_BOTH);
  closesocket(static_cast<SOCKET>(s));
}

}  // namespace sock
