#include "capture/win/CaptureSettingsStore.h"

int CCaptureSettingsStore::Load() {
  options_ = ReadCaptureOptions(Folder() + kCaptureOptionsPath);
  return CRecordStore::Load();
}

bool CCaptureSettingsStore::SaveOptions(const CaptureOptions& options) {
  if (!WriteCaptureOptions(Folder() + kCaptureOptionsPath, options)) return false;
  options_ = options;
  return true;
}
