// The frame's live copy of the capture settings, which the capture
// sequences and the hot-key dispatch read.
#pragma once
#include "capture/SnapshotSettings.h"

namespace capture_settings {

constexpr char kPath[] = "data\\snapshot.dat";

const SnapshotSettings& Current();
// Makes the program folder the current directory and reads the file again;
// true when the defaults were used.
bool Reload();

}  // namespace capture_settings
