#include "capture/win/CaptureSettingsStore.h"

bool CCaptureSettingsStore::Load() { return LoadSnapshotSettings(folder_ + kPath, folder_, current_); }

bool CCaptureSettingsStore::Save(const SnapshotSettings& settings) {
  if (!SaveSnapshotSettings(folder_ + kPath, settings)) return false;
  current_ = settings;
  return true;
}
