// Creating the folders along a capture file's path ("D:\shots\a\Snapshot...bmp").
#pragma once
#include <string>
#include <vector>

// The folders CreateFolderChain creates, in order: the path cut after each "\"
// from character index 3 on, which skips the root of "X:\". The file name
// after the last "\" is never a folder.
std::vector<std::string> FolderChainPrefixes(const std::string& path);

// Creates those folders; errors (folder exists, no drive) are ignored and
// surface when the file itself cannot be created.
void CreateFolderChain(const std::string& path);
