// The capture settings as the frame holds them: read from
// "data\snapshot.dat" under the program folder, handed down as values to the
// capture engine and the hot-key dispatch, and written through here by the
// settings page, so that the live copy is the one just written and the file
// is not read back.
#pragma once
#include <string>
#include <utility>

#include "capture/SnapshotSettings.h"

class CCaptureSettingsStore {
 public:
  static constexpr char kPath[] = "data\\snapshot.dat";

  // programFolder ends with its "\".
  explicit CCaptureSettingsStore(std::string programFolder) : folder_(std::move(programFolder)) {}

  // Reads the file over the current values; true when the defaults were used.
  bool Load();
  const SnapshotSettings& Current() const { return current_; }
  // Writes settings whole; on success they are the current ones. False (the
  // file and the current values as they were) when it could not be written.
  bool Save(const SnapshotSettings& settings);

 private:
  std::string folder_;
  SnapshotSettings current_;
};
