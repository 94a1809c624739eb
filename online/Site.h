// The maker's web site: update service, removal report, help and the
// default home page all hang off one base address. The environment variable
// VISTREL_SITE replaces it (tests point the programs at a local server).
#pragma once
#include <string>

// The base address without a trailing slash, e.g. "http://www.vistrel.com".
std::string SiteBaseUrl();
// The host part of the base address ("www.vistrel.com").
std::string SiteHost();
