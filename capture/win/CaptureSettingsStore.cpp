#include "capture/win/CaptureSettingsStore.h"

bool CCaptureSettingsStore::Load() {
  options_ = ReadCaptureOptions(folder_ + kCaptureOptionsPath);
  return LoadSnapshotSettings(folder_ + kPath, folder_, current_);
}

bool CCaptureSettingsStore::Save(const SnapshotSettings& settings) {
  if (!SaveSnapshotSettings(folder_ + kPath, settings)) return false;
  current_ = settings;
  return true;
}

bool CCaptureSettingsStore::SaveOptions(const CaptureOptions& options) {
  if (!WriteCaptureOptions(folder_ + kCaptureOptionsPath, options)) return false;
  options_ = options;
  return true;
}
