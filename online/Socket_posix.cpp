#include "online/Socket.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sock {

bool ResolveIPv4(const std::string& host, std::string& dotted) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* result = nullptr;
  if (host.empty() || ::getaddrinfo(host.c_str(), nullptr, &hints, &result) != 0 || !result) return false;
  char text[INET_ADDRSTRLEN] = {};
  const auto* in = reinterpret_cast<const sockaddr_in*>(result->ai_addr);
  bool ok = ::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text) != nullptr;
  ::freeaddrinfo(result);
  if (ok) dotted = text;
  return ok;
}

Handle OpenTcp() {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  return fd < 0 ? kNoSocket : fd;
}

bool SetTimeouts(Handle s, int milliseconds) {
  timeval tv{};
  tv.tv_sec = milliseconds / 1000;
  tv.tv_usec = (milliseconds % 1000) * 1000;
  int fd = static_cast<int>(s);
  return ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv) == 0 &&
         ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv) == 0;
}

bool Connect(Handle s, const std::string& dotted, uint16_t port) {
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  if (::inet_pton(AF_INET, dotted.c_str(), &addr.sin_addr) != 1) return false;
  int r;
  do {
    r = ::connect(static_cast<int>(s), reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
  } while (r != 0 && errno == EINTR);
  return r == 0;
}

long Send(Handle s, const char* data, size_t length) {
  ssize_t n;
  do {
    n = ::send(static_cast<int>(s), data, length, MSG_NOSIGNAL);
  } while (n < 0 && errno == EINTR);
  return n < 0 ? -1 : static_cast<long>(n);
}

long Receive(Handle s, char* buffer, size_t length) {
  ssize_t n;
  do {
    n = ::recv(static_cast<int>(s), buffer, length, 0);
  } while (n < 0 && errno == EINTR);
  return n < 0 ? -1 : static_cast<long>(n);
}

void ShutdownAndClose(Handle s) {
  if (s == kNoSocket) return;
  ::shutdown(static_cast<int>(s), SHUT_RDWR);
  ::close(static_cast<int>(s));
}

}  // namespace sock
