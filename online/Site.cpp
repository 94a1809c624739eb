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
