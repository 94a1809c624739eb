#include "capture/SnapshotName.h"

#include "common/Text.h"

std::string SnapshotFilePath(const std::string& saveFolder, int year, int month, int day, int hour, int minute,
                             int second) {
  return saveFolder + text::Format("Snapshot%04d%02d%02d%02d%02d%02d.bmp", year, month, day, hour, minute, second);
}
