#include "online/HttpGet.h"

#include <thread>

#include "common/File.h"
#include "common/Text.h"
#include "online/TcpSocket.h"

namespace {

uint16_t DefaultPort(std::string_view scheme) {
  if (text::EqualsNoCase(scheme, "https")) return 443;
  if (text::EqualsNoCase(scheme, "ftp")) return 21;
  return 80;
}

void AppendEscaped(std::string& out, unsigned char byte) {
  static const char kHex[] = "0123456789ABCDEF";
  out += '%';
  out += kHex[byte >> 4];
  out += kHex[byte & 15];
}

bool BreaksRequestLine(unsigned char byte) { return byte <= 0x20 || byte >= 0x7F; }

// Splits the URL, connects and sends the request; false when the URL has no
// usable host, the host does not resolve or no connection is made.
bool SendRequest(const std::string& url, const HttpGetOptions& options, bool yieldFirst, CTcpSocket& socket) {
  UrlParts parts;
  if (!SplitUrl(url, parts)) return false;
  // A host name with line breaks or blanks cannot be sent in a Host line.
  for (char c : parts.host)
    if (static_cast<unsigned char>(c) <= 0x20) return false;
  std::string object = options.escapeQueryValues ? EncodeQueryValues(parts.object) : EscapeRequestLine(parts.object);
  std::string request = BuildGetRequest(object, parts.host, parts.port, options.extraHeaders);

  if (yieldFirst) std::this_thread::yield();
  std::string address;
  if (!sock::ResolveIPv4(parts.host, address)) return false;
  if (socket.Connect(address, parts.port, options.timeoutMs) != 0) return false;
  socket.SendAll(request.data(), request.size());  // a failed send shows as an empty reply
  return true;
}

}  // namespace

bool SplitUrl(std::string_view url, UrlParts& parts) {
  std::string trimmed = text::Trim(url);
  std::string_view rest = trimmed;
  std::string_view scheme = "http";
  size_t sep = rest.find("://");
  if (sep != std::string_view::npos) {
    scheme = rest.substr(0, sep);
    rest.remove_prefix(sep + 3);
  }
  rest = rest.substr(0, rest.find('#'));  // a fragment is never sent
  size_t authorityEnd = rest.find_first_of("/?");
  std::string_view authority = rest.substr(0, authorityEnd);
  std::string_view object = authorityEnd == std::string_view::npos ? std::string_view() : rest.substr(authorityEnd);

  size_t at = authority.rfind('@');
  if (at != std::string_view::npos) authority.remove_prefix(at + 1);
  uint16_t port = DefaultPort(scheme);
  size_t colon = authority.find(':');
  if (colon != std::string_view::npos) {
    std::string_view digits = authority.substr(colon + 1);
    authority = authority.substr(0, colon);
    if (!digits.empty()) {
      if (digits.size() > 5) return false;
      unsigned value = 0;
      for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
      }
      if (value == 0 || value > 65535) return false;
      port = static_cast<uint16_t>(value);
    }
  }
  if (authority.empty()) return false;
  parts.host = std::string(authority);
  parts.port = port;
  parts.object = object.empty() || object[0] != '/' ? "/" + std::string(object) : std::string(object);
  return true;
}

std::string EncodeQueryValues(std::string_view object) {
  std::string out;
  out.reserve(object.size() * 3);
  bool inValue = false;
  for (char c : object) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (c == '=') {
      out += '=';
      inValue = true;
    } else if (c == '&') {
      out += '&';
      inValue = false;
    } else if (inValue || BreaksRequestLine(byte)) {
      AppendEscaped(out, byte);
    } else {
      out += c;
    }
  }
  return out;
}

std::string EscapeRequestLine(std::string_view object) {
  std::string out;
  out.reserve(object.size());
  for (char c : object) {
    if (BreaksRequestLine(static_cast<unsigned char>(c)))
      AppendEscaped(out, static_cast<unsigned char>(c));
    else
      out += c;
  }
  return out;
}

std::string BuildGetRequest(const std::string& encodedObject, const std::string& host, uint16_t port,
                            const std::string& extraHeaders) {
  std::string hostLine = port == 80 ? host : host + ":" + std::to_string(port);
  return "GET " + encodedObject + " HTTP/1.1\r\nHost: " + hostLine +
         "\r\nAccept: */*\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 5.01; Windows NT 5.0)\r\n"
         "Pragma: no-cache\r\nCache-Control: no-cache\r\n" +
         extraHeaders + "Connection: close\r\n\r\n";
}

bool FindContentLength(std::string_view header, uint64_t& length) {
  static const char kName[] = "content-length:";
  for (size_t start = 0; start < header.size();) {
    size_t end = header.find("\r\n", start);
    if (end == std::string_view::npos) end = header.size();
    std::string_view line = header.substr(start, end - start);
    start = end + 2;
    if (!text::StartsWithNoCase(line, kName)) continue;
    std::string value = text::Trim(line.substr(sizeof kName - 1));
    if (value.empty() || value.size() > 19) return false;
    uint64_t n = 0;
    for (char c : value) {
      if (c < '0' || c > '9') return false;
      n = n * 10 + static_cast<uint64_t>(c - '0');
    }
    length = n;
    return true;
  }
  return false;
}

int HttpGetToFile(const std::string& url, const std::string& localPath, const HttpGetOptions& options) {
  auto start = CTcpSocket::Clock::now();
  CTcpSocket socket(options.connectRetryPauseMs);
  if (!SendRequest(url, options, true, socket)) return 1;

  file::FilePtr out = file::Open(localPath, "wb");
  if (!out) return 1;
  CTcpSocket::ReceiveResult received = socket.ReceiveToFile(out.get(), options.maxBodyBytes, options.deadline, start);
  socket.Close();
  bool closed = std::fclose(out.release()) == 0;
  return received == CTcpSocket::kReceived && closed ? 0 : 1;
}

int HttpGetToString(const std::string& url, std::string& text, const HttpGetOptions& options) {
  text.clear();
  CTcpSocket socket(options.connectRetryPauseMs);
  if (!SendRequest(url, options, false, socket)) return 1;
  socket.ReceiveToString(text, options.maxBodyBytes);
  return 0;
}
