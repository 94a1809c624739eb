// A scripted HTTP server on 127.0.0.1 for tests: it serves connections one
// after another on a port of its own, each with the test's script, and keeps
// the requests it received.
#pragma once
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

// Sends all of data; false when the peer has gone.
bool SendBytes(int fd, const std::string& data);

class LocalServer {
 public:
  // Answers one connection; fd is closed after it returns.
  using Script = std::function<void(int fd, const std::string& request)>;
  static constexpr int kUnlimited = -1;

  // Serves the given number of connections, or every one until destroyed.
  explicit LocalServer(Script script, int connections = 1);
  ~LocalServer();
  LocalServer(const LocalServer&) = delete;
  LocalServer& operator=(const LocalServer&) = delete;

  // Request texts (request line and headers) in the order they came.
  std::vector<std::string> Requests();
  std::string Url(const std::string& object) const { return "http://127.0.0.1:" + std::to_string(port) + object; }

  uint16_t port = 0;

 private:
  static std::string ReadRequest(int fd);

  Script script_;
  int listen_ = -1;
  std::thread thread_;
  std::mutex mutex_;
  std::vector<std::string> requests_;
};

// A script that sends the same response to every connection.
LocalServer::Script Reply(std::string response);

// The target of a request's first line: "/x?y" of "GET /x?y HTTP/1.1".
std::string RequestTarget(const std::string& request);

}  // namespace testsupport
