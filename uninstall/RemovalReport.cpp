#include "uninstall/RemovalReport.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "common/PercentEncode.h"
#include "online/HttpGet.h"
#include "online/Socket.h"

namespace uninstall {
namespace {

// The object goes out as the caller built it, except bytes that would break
// the request line (controls, blanks, bytes above 0x7E), which are escaped.
std::string RequestLineSafe(const std::string& object) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : object) {
    unsigned char b = static_cast<unsigned char>(c);
    if (b <= 0x20 || b >= 0x7F) {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out += c;
    }
  }
  return out;
}

// Closes the socket on every way out.
struct SocketScope {
  sock::Handle handle = sock::kNoSocket;
  ~SocketScope() { Close(); }
  void Close() {
    if (handle != sock::kNoSocket) sock::ShutdownAndClose(handle);
    handle = sock::kNoSocket;
  }
};

// Two attempts, each on a fresh socket, with a pause after each failure.
bool ConnectWithRetry(SocketScope& s, const std::string& address, uint16_t port, const ReportOptions& options) {
  constexpr int kAttempts = 2;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    s.handle = sock::OpenTcp();
    if (s.handle == sock::kNoSocket) return false;
    if (options.timeoutMs > 0 && !sock::SetTimeouts(s.handle, options.timeoutMs)) return false;
    if (sock::Connect(s.handle, address, port)) return true;
    s.Close();
    std::this_thread::sleep_for(std::chrono::milliseconds(options.connectRetryPauseMs));
  }
  return false;
}

}  // namespace

std::string RemovalReportUrl(const std::string& siteBase, const std::string& productName) {
  return siteBase + kReportPath + PercentEncode(productName);
}

std::string BuildReportRequest(const std::string& object, const std::string& host) {
  return "GET " + object + " HTTP/1.1\r\nHost: " + host +
         "\r\nAccept: */*\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 5.01; Windows NT 5.0)\r\n"
         "Pragma: no-cache\r\nCache-Control: no-cache\r\nRange: bytes=0-\r\nConnection: close\r\n\r\n";
}

int HttpGetToString(const std::string& url, std::string& text, const ReportOptions& options) {
  text.clear();
  UrlParts parts;
  if (!SplitUrl(url, parts)) return 1;
  for (char c : parts.host)
    if (static_cast<unsigned char>(c) <= 0x20) return 1;
  std::string address;
  if (!sock::ResolveIPv4(parts.host, address)) return 1;

  SocketScope s;
  if (!ConnectWithRetry(s, address, parts.port, options)) return 1;
  std::string request = BuildReportRequest(RequestLineSafe(parts.object), parts.host);
  for (size_t sent = 0; sent < request.size();) {
    long n = sock::Send(s.handle, request.data() + sent, request.size() - sent);
    if (n < 0) break;  // a failed send shows as an empty answer
    sent += static_cast<size_t>(n);
  }

  // Each chunk counts as text up to its first NUL byte; the bound is on the
  // bytes received, so an answer of NULs ends as well.
  constexpr size_t kChunk = 3072;
  std::vector<char> buffer(kChunk);
  size_t received = 0;
  while (received < options.maxAnswerBytes) {
    size_t want = std::min(kChunk, options.maxAnswerBytes - received);
    long n = sock::Receive(s.handle, buffer.data(), want);
    if (n <= 0) break;
    received += static_cast<size_t>(n);
    text.append(buffer.data(), std::find(buffer.data(), buffer.data() + n, '\0'));
  }
  return 0;
}

}  // namespace uninstall
