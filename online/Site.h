// The maker's web site: update service, removal report, help and the
// default home page all hang off one base address.
#pragma once
#include <string>

constexpr const char kDefaultSiteBaseUrl[] = "http://www.vistrel.com";

// The site's base URL without a trailing "/". The environment variable
// VISTREL_SITE, when set and not empty, takes the place of the default
// (tests point the programs at a local server).
std::string SiteBaseUrl();
// The host part of the base address ("www.vistrel.com").
std::string SiteHost();
