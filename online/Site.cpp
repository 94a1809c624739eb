#include "online/Site.h"

#include <cstdlib>

#include "common/Text.h"

std::string SiteBaseUrl() {
  const char* overridden = std::getenv("VISTREL_SITE");
  std::string base = overridden ? text::Trim(overridden) : std::string();
  if (base.empty()) base = kDefaultSiteBaseUrl;
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base;
}

std::string SiteHost() {
  std::string url = SiteBaseUrl();
  size_t start = url.find("://");
  start = start == std::string::npos ? 0 : start + 3;
  size_t end = url.find_first_of("/:?", start);
  return url.substr(start, end == std::string::npos ? std::string::npos : end - start);
}
