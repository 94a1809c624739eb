#include "capture/SnapshotName.h"

#include "common/Text.h"

std::string SnapshotFilePath(const std::string& saveFolder, int year, int month, int day, int hour, int minute,
                             int second, const char* extension) {
  return saveFolder + text::Format("Snapshot%04d%02d%02d%02d%02d%02d", year, month, day, hour, minute, second) +
         extension;
}

std::string SnapshotPathVariant(const std::string& path, int n) {
  if (n <= 1) return path;
  size_t dot = path.rfind('.');
  size_t slash = path.find_last_of("\\:");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = path.size();
  return path.substr(0, dot) + "_" + std::to_string(n) + path.substr(dot);
}
