// Checks for relative paths that come from outside (update lists, zip entry
// names) before they are joined to a folder of ours.
#pragma once
#include <string_view>

// True for a relative path that stays inside the folder it is joined to: not
// empty, no root or drive (no leading "\" or "/", no ":"), no control bytes,
// and no component that is empty or made only of dots and blanks ("..", ".",
// "... " and the like, which Windows may fold into "..").
bool IsSafeRelativePath(std::string_view path);
