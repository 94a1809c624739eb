// The maker's web site: update service, removal report, default home page.
#pragma once
#include <string>

constexpr const char kDefaultSiteBaseUrl[] = "http://www.vistrel.com";

// The site's base URL without a trailing "/". The environment variable
// VISTREL_SITE, when set and not empty, takes the place of the default.
std::string SiteBaseUrl();
