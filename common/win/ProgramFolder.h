// The folder of the program file, with a trailing backslash; every relative
// path of the program resolves against it.
#pragma once
#include <string>

std::string ProgramFolder();
std::string ProgramPath();
// Makes the program folder the current directory again.
void EnterProgramFolder();
