// Opening programs and web addresses the way the user's shell does.
#pragma once
#include <string>

// ShellExecute "open" with the given parameters; failures are ignored.
void OpenWithShell(const std::string& target, const std::string& parameters = "",
                   const std::string& directory = "");
