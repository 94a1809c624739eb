// The capture settings as the frame holds them: read from
// "data\snapshot.dat" and "data\capture.ini" under the program folder, handed down as values to the
// capture engine and the hot-key dispatch, and written through here by the
// settings page, so that the live copy is the one just written and the file
// is not read back.
#pragma once
#include <string>
#include <utility>

#include "capture/CaptureOptions.h"
#include "capture/SnapshotSettings.h"

class CCaptureSettingsStore {
 public:
  static constexpr char kPath[] = "data\\snapshot.dat";

  // programFolder ends with its "\".
  explicit CCaptureSettingsStore(std::string programFolder) : folder_(std::move(programFolder)) {}

  // Reads the files over the current values; true when the record's
  // defaults were used.
  bool Load();
  const SnapshotSettings& Current() const { return current_; }
  const CaptureOptions& Options() const { return options_; }
  // Writes settings whole; on success they are the current ones. False (the
  // file and the current values as they were) when it could not be written.
  bool Save(const SnapshotSettings& settings);
  // The same for the options.
  bool SaveOptions(const CaptureOptions& options);

 private:
  std::string folder_;
  SnapshotSettings current_;
  CaptureOptions options_;
};
