#include "online/Site.h"

#include <cstdlib>

std::string SiteBaseUrl() {
  const char* env = std::getenv("VISTREL_SITE");
  std::string url = env && *env ? env : "http://www.vistrel.com";
  while (!url.empty() && url.back() == '/') url.pop_back();
  return url;
}

std::string SiteHost() {
  std::string url = SiteBaseUrl();
  size_t start = url.find("://");
  start = start == std::string::npos ? 0 : start + 3;
  size_t end = url.find_first_of("/:?", start);
  return url.substr(start, end == std::string::npos ? std::string::npos : end - start);
}
