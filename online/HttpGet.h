// One HTTP/1.1 GET over a raw TCP connection, the response body stored in a
// file. The status line and the response headers are not looked at: callers
// judge the body by its content (an end marker, an MD5 digest).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

struct HttpGetOptions {
  int timeoutMs = 30000;            // send and receive time-out
  int connectRetryPauseMs = 1000;   // pause after each failed connect attempt
  uint64_t maxBodyBytes = 128u << 20;
};

struct UrlParts {
  std::string host;
  uint16_t port = 80;
  std::string object;  // path and query, starting with "/"
};

// Splits scheme://[user@]host[:port][/object]. The port defaults to the
// scheme's (80 for http). False when the URL has no usable host or port.
bool SplitUrl(std::string_view url, UrlParts& parts);

// Escapes every byte of each query value as %XX (upper-case hex), letters and
// digits included; names, the path and the separators stay as they are,
// except bytes that would break the request line (controls, space, bytes
// above 0x7E), which are escaped as well. "/x/main.asp?V=102&times=1" becomes
// "/x/main.asp?V=%31%30%32&times=%31".
std::string EncodeQueryValues(std::string_view object);

// The request text, ending in an empty line.
std::string BuildGetRequest(const std::string& encodedObject, const std::string& host);

// 0 when the request was sent and the connection read to its end (the body
// may be empty or an error page); 1 when the host does not resolve, no
// connection is made, the local file cannot be created or written, or the
// body passes options.maxBodyBytes. The socket is closed on return.
int HttpGetToFile(const std::string& url, const std::string& localPath, const HttpGetOptions& options = {});
