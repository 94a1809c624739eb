#include "app/win/HomePage.h"

#include "common/SectionFile.h"
#include "common/win/ProgramFolder.h"
#include "common/win/Shell.h"
#include "online/Site.h"

std::string HomePageUrl() {
  CSectionFile page;
  page.Load(InProgramFolder("data\\main.htm"));
  std::string url = page.GetValue("[HOME_PAGE]");
  if (url.empty()) url = SiteBaseUrl() + "/?brova";
  return url;
}

void OpenHomePage() { OpenWithShell(HomePageUrl()); }
