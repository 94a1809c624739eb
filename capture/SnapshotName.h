// The file a capture is written to: the save folder (which ends with "\", or
// is a bare drive "X:") followed by "Snapshot" and the moment of capture.
#pragma once
#include <string>

// month 1-12, hour 0-23; extension with its dot. Two captures within one
// second share a name.
std::string SnapshotFilePath(const std::string& saveFolder, int year, int month, int day, int hour, int minute,
                             int second, const char* extension = ".bmp");

// The name to try when path is taken by an earlier capture of the same
// second: n = 2, 3, ... is put before the extension ("..._2.bmp"); n <= 1
// gives path itself.
std::string SnapshotPathVariant(const std::string& path, int n);
