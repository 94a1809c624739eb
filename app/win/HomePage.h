// The maker's home page: "[HOME_PAGE]" of "data\main.htm", or the maker's
// site with "/?brova" when that is empty.
#pragma once
#include <string>

std::string HomePageUrl();
void OpenHomePage();
