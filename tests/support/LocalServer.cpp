#include "tests/support/LocalServer.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

bool SendBytes(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

LocalServer::LocalServer(Script script, int connections) : script_(std::move(script)) {
  listen_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  if (::bind(listen_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listen_, 8) != 0 ||
      ::getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
    ADD_FAILURE() << "cannot listen";
  port = ntohs(addr.sin_port);
  thread_ = std::thread([this, connections] {
    for (int i = 0; connections == kUnlimited || i < connections; ++i) {
      int fd = ::accept(listen_, nullptr, nullptr);
      if (fd < 0) return;
      std::string request = ReadRequest(fd);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
      }
      script_(fd, request);
      ::close(fd);
    }
  });
}

LocalServer::~LocalServer() {
  ::shutdown(listen_, SHUT_RDWR);  // wakes a pending accept
  thread_.join();
  ::close(listen_);
}

std::vector<std::string> LocalServer::Requests() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::string LocalServer::ReadRequest(int fd) {
  timeval tv{2, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  std::string request;
  char buf[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    ssize_t n = ::recv(fd, buf, sizeof buf, 0);
    if (n <= 0) break;
    request.append(buf, static_cast<size_t>(n));
  }
  return request;
}

LocalServer::Script Reply(std::string response) {
  return [response](int fd, const std::string&) { SendBytes(fd, response); };
}

std::string RequestTarget(const std::string& request) {
  size_t start = request.find(' ');
  if (start == std::string::npos) return std::string();
  size_t end = request.find(' ', start + 1);
  if (end == std::string::npos) return std::string();
  return request.substr(start + 1, end - start - 1);
}

}  // namespace testsupport
