// The capture settings as the frame holds them: the record
// "data\snapshot.dat" and beside it the options of "data\capture.ini",
// handed down as values to the capture engine and the hot-key dispatch, and
// written through here by the settings page, so that the live copy is the
// one just written and the files are not read back.
#pragma once
#include <string>
#include <utility>

#include "capture/CaptureOptions.h"
#include "capture/SnapshotSettings.h"
#include "common/RecordStore.h"

class CCaptureSettingsStore : public CRecordStore<SnapshotSettings> {
 public:
  explicit CCaptureSettingsStore(std::string programFolder)
      : CRecordStore(std::move(programFolder), kSnapshotPath) {}

  // Both files over the current values; 0 when the record was read, 1 when
  // its defaults were set.
  int Load();
  const CaptureOptions& Options() const { return options_; }
  // Writes the options; on success they are the current ones. False (the
  // file and the current values as they were) when it could not be written.
  bool SaveOptions(const CaptureOptions& options);

 private:
  CaptureOptions options_;
};
