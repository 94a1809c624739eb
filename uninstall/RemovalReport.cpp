#include "uninstall/RemovalReport.h"

#include "common/PercentEncode.h"

namespace uninstall {

std::string RemovalReportUrl(const std::string& siteBase, const std::string& productName) {
  return siteBase + kReportPath + PercentEncode(productName);
}

HttpGetOptions ReportRequestOptions() {
  HttpGetOptions o;
  o.timeoutMs = 30000;
  o.connectRetryPauseMs = 1000;
  o.maxBodyBytes = 64 * 1024;
  o.escapeQueryValues = false;
  o.extraHeaders = "Range: bytes=0-\r\n";
  return o;
}

}  // namespace uninstall
