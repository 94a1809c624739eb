// Checks for relative paths that come from outside (update lists, zip entry
// names) before they are joined to a folder of ours.
#pragma once
#include <string_view>

// True for a relative path that stays inside the folder it is joined to: not
// empty, no root or drive (no leading "\" or "/", no ":"), no control bytes,
// no component that is empty or made only of dots and blanks ("..", ".",
// "... " and the like, which Windows may fold into ".."), and no component
// that Windows opens as a device ("con", "NUL.txt", "com1.log", "lpt9"...).
bool IsSafeRelativePath(std::string_view path);
