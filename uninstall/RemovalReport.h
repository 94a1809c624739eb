// The removal report: one HTTP GET to the maker's web site when the
// uninstaller's window goes. The answer is read and ignored.
#pragma once
#include <cstddef>
#include <string>

namespace uninstall {

constexpr char kProductName[] = "Vistrel";
constexpr char kReportPath[] = "/kivvo/unsetup.asp?flag=";
constexpr char kAdminHelpPath[] = "/adminrun";

// siteBase + "/kivvo/unsetup.asp?flag=" + the product name percent-encoded
// on its GBK bytes (letters and digits kept, every other byte "%XX").
std::string RemovalReportUrl(const std::string& siteBase, const std::string& productName);

// The GET request of the report, with its "Range: bytes=0-" line, ending in
// an empty line. The object is sent as it is.
std::string BuildReportRequest(const std::string& object, const std::string& host);

struct ReportOptions {
  int timeoutMs = 30000;           // send and receive time-out
  int connectRetryPauseMs = 1000;  // pause after each failed connect attempt
  size_t maxAnswerBytes = 64 * 1024;
};

// Sends one GET for url and reads the whole answer, status line and headers
// included, into text (up to options.maxAnswerBytes; each received chunk up
// to its first NUL byte). 0 when the request was sent and the answer read;
// 1 when the URL has no host, the host does not resolve or no connection is
// made. text is "" first.
int HttpGetToString(const std::string& url, std::string& text, const ReportOptions& options = {});

}  // namespace uninstall
