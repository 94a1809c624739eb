// Creating the folders along a path, for "X:\a\b\file.txt" or "X:/a/b/".
#pragma once
#include <string>
#include <vector>

// The folders MakeFolderPath creates, in order: the path with "/" read as "\"
// and doubled separators collapsed, cut after each "\" that follows the first
// colon. Empty without a colon or with the colon first. The text after the
// last "\" is a file name and never becomes a folder.
std::vector<std::string> FolderPrefixes(const std::string& path);

// Creates the folders of FolderPrefixes; failures (folder exists, no rights,
// no drive) are ignored, as later file operations report them.
void MakeFolderPath(const std::string& path);
