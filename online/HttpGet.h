// One HTTP/1.1 GET over a raw TCP connection, the response body stored in a
// file, or the whole answer kept as text. The status line is not looked at,
// and of the response headers only Content-Length, to bound the time of the
// download: callers judge the body by its content (an end marker, an MD5
// digest).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "online/DownloadDeadline.h"

struct HttpGetOptions {
  int timeoutMs = 30000;            // send and receive time-out
  int connectRetryPauseMs = 1000;   // pause after each failed connect attempt
  uint64_t maxBodyBytes = 128u << 20;  // of the body; of the whole answer when kept as text
  DownloadDeadline deadline;           // of a body stored in a file
  // Every byte of each query value escaped (EncodeQueryValues); when false the
  // object goes out as the caller built it, but for the bytes that would break
  // the request line.
  bool escapeQueryValues = true;
  // Header lines sent before "Connection: close", each ending in CR LF.
  std::string extraHeaders;
};

struct UrlParts {
  std::string host;
  uint16_t port = 80;
  std::string object;  // path and query, starting with "/"
};

// Splits scheme://[user@]host[:port][/object][#fragment]. The port defaults
// to the scheme's (80 for http); the fragment belongs to the reader of the
// page and is dropped. False when the URL has no usable host or port.
bool SplitUrl(std::string_view url, UrlParts& parts);

// Escapes every byte of each query value as %XX (upper-case hex), letters and
// digits included; names, the path and the separators stay as they are,
// except bytes that would break the request line (controls, space, bytes
// above 0x7E), which are escaped as well. "/x/main.asp?V=102&times=1" becomes
// "/x/main.asp?V=%31%30%32&times=%31".
std::string EncodeQueryValues(std::string_view object);

// The object as given, but for the bytes that would break the request line
// (controls, space, bytes above 0x7E), which are escaped as %XX.
std::string EscapeRequestLine(std::string_view object);

// The request text, ending in an empty line. The Host line names the port
// when it is not 80, as HTTP/1.1 asks; extraHeaders stand before
// "Connection: close".
std::string BuildGetRequest(const std::string& encodedObject, const std::string& host, uint16_t port,
                            const std::string& extraHeaders = "");

// The value of a Content-Length line of a response header block; false when
// there is none or it is not a plain decimal number.
bool FindContentLength(std::string_view header, uint64_t& length);

// 0 when the request was sent and the connection read to its end (the body
// may be empty or an error page); 1 when the host does not resolve, no
// connection is made, the local file cannot be created or written, the body
// passes options.maxBodyBytes or the download's deadline passes. The socket
// is closed on return.
int HttpGetToFile(const std::string& url, const std::string& localPath, const HttpGetOptions& options = {});

// Sends one GET for url and keeps the whole answer, status line and headers
// included, in text, up to its first NUL byte; the connection is read to its
// end or until options.maxBodyBytes bytes have come. 0 when the request was
// sent and the answer read; 1 when the URL has no usable host, the host does
// not resolve or no connection is made. text is "" first.
int HttpGetToString(const std::string& url, std::string& text, const HttpGetOptions& options = {});
