#include "capture/win/CaptureSettingsStore.h"

#include "common/win/ProgramFolder.h"

namespace capture_settings {
namespace {
SnapshotSettings g_settings;
}

const SnapshotSettings& Current() { return g_settings; }

bool Reload() {
  EnterProgramFolder();
  return LoadSnapshotSettings(kPath, ProgramFolder(), g_settings);
}

}  // namespace capture_settings
