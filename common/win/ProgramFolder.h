// The folder of the program file, with a trailing backslash; every relative
// path of the program resolves against it.
#pragma once
#include <string>

std::string ProgramFolder();
std::string ProgramPath();
// A path the program names relative to its folder (as data files do) as a full
// path below the program folder; a full path stays as it is. Nothing the
// program opens depends on the current directory, which a shell dialog may
// change.
std::string InProgramFolder(const std::string& path);
// Makes the program folder the current directory again, where a side effect
// is tied to it.
void EnterProgramFolder();
