// The removal report: one HTTP GET to the maker's web site when the
// uninstaller's window goes. The answer is read and ignored.
#pragma once
#include <string>

#include "online/HttpGet.h"

namespace uninstall {

constexpr char kProductName[] = "Vistrel";
constexpr char kReportPath[] = "/kivvo/unsetup.asp?flag=";
constexpr char kAdminHelpPath[] = "/adminrun";

// siteBase + "/kivvo/unsetup.asp?flag=" + the product name percent-encoded
// on its GBK bytes (letters and digits kept, every other byte "%XX").
std::string RemovalReportUrl(const std::string& siteBase, const std::string& productName);

// How the report asks, for HttpGetToString: the object sent as built (the
// flag is encoded already), a "Range: bytes=0-" line, 30 s time-outs, two
// connect attempts a second apart, and at most 64 KiB of answer.
HttpGetOptions ReportRequestOptions();

}  // namespace uninstall
