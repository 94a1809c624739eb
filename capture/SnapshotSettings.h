// The capture settings record "data\snapshot.dat", 280 bytes, little-endian:
//   0  hot key full screen (4)    4  hot key window (4)    8  hot key region (4)
//  12  to-clipboard int32        16  to-file int32
//  20  save folder, 260 bytes of GBK text with its NUL, zeros after it
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/HotKey.h"

struct SnapshotSettings {
  static constexpr size_t kSize = 280;
  static constexpr size_t kFullScreenOffset = 0;
  static constexpr size_t kWindowOffset = 4;
  static constexpr size_t kRegionOffset = 8;
  static constexpr size_t kToClipboardOffset = 12;
  static constexpr size_t kToFileOffset = 16;
  static constexpr size_t kFolderOffset = 20;
  static constexpr size_t kFolderField = 260;
  // The field keeps a NUL, so the folder may have this many bytes.
  static constexpr size_t kFolderMaxBytes = kFolderField - 1;

  HotKey fullScreen;
  HotKey window;
  HotKey region;
  int32_t toClipboard = 0;
  int32_t toFile = 0;
  std::string folder;  // UTF-8, ends with "\" (or is a bare "X:")

  // Ctrl+Alt+1, 2, 3; clipboard and file on; programFolder + "Snapshot\".
  static SnapshotSettings Defaults(const std::string& programFolder);

  // The 280 bytes of the file. False (out untouched) when the folder's GBK
  // form does not fit the field.
  bool Serialize(std::string& out) const;

  // Takes a file's bytes over the current values: only the bytes present
  // replace theirs, so a short file leaves the rest as it was.
  void ApplyBytes(std::string_view bytes);
  // A missing file gives the defaults.
  void ApplyNoFile(const std::string& programFolder) { *this = Defaults(programFolder); }

  bool operator==(const SnapshotSettings& o) const {
    return fullScreen == o.fullScreen && window == o.window && region == o.region &&
           toClipboard == o.toClipboard && toFile == o.toFile && folder == o.folder;
  }
};

// The record's bytes are its fields back to back, whatever the build's
// pointer width or struct packing.
static_assert(SnapshotSettings::kWindowOffset == SnapshotSettings::kFullScreenOffset + HotKey::kSize);
static_assert(SnapshotSettings::kRegionOffset == SnapshotSettings::kWindowOffset + HotKey::kSize);
static_assert(SnapshotSettings::kToClipboardOffset == SnapshotSettings::kRegionOffset + HotKey::kSize);
static_assert(SnapshotSettings::kToFileOffset == SnapshotSettings::kToClipboardOffset + sizeof(int32_t));
static_assert(SnapshotSettings::kFolderOffset == SnapshotSettings::kToFileOffset + sizeof(int32_t));
static_assert(SnapshotSettings::kFolderOffset + SnapshotSettings::kFolderField == SnapshotSettings::kSize);

constexpr char kSnapshotPath[] = "data\\snapshot.dat";

enum class SaveFolderCheck {
  kOk,
  kInvalid,  // not "X:..." after trimming
  kTooLong,  // does not fit the record's folder field
};

// The settings page's folder rule: trimmed, at least two characters with ":"
// second; "\" appended unless it ends with one or is exactly two characters.
// completed receives the folder to store (also for kTooLong, to show it).
SaveFolderCheck CheckSaveFolder(std::string_view typed, std::string& completed);

// Texts the settings page shows for a refused folder.
extern const char kSaveFolderInvalidText[];
extern const char kSaveFolderTooLongText[];
