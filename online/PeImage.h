// The check the updater makes before a downloaded program file may replace
// brova.exe: a cut-off download, an error page saved under the program's
// name or a program for another processor would leave no brova that starts.
#pragma once
#include <cstddef>
#include <string_view>

// The largest program file the updater takes; brova.exe is about 1 MB.
constexpr size_t kMaxProgramImageBytes = 64u << 20;

// True when file holds a whole x86-64 Windows program image: the "MZ"
// header, the "PE\0\0" signature where it points, machine 0x8664 with a
// PE32+ optional header, at least one section, and the headers and every
// section's raw data inside the file.
bool IsWholeX64Image(std::string_view file);
