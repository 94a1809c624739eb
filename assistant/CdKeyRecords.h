// The CD-tray keys "data3\cdkey.dat", 8 bytes: the open-tray hot key, then
// the close-tray hot key.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "common/HotKey.h"

struct CdKeyRecords {
  static constexpr size_t kSize = 2 * HotKey::kSize;

  HotKey open;
  HotKey close;

  // Ctrl+Alt+P opens, Ctrl+Alt+L closes.
  static CdKeyRecords Defaults();
  void ApplyBytes(std::string_view bytes);
  // What CRecordStore asks of a record.
  void ApplyNoFile(const std::string&) { *this = Defaults(); }
  bool Serialize(std::string& out) const;  // always true: every record fits its size
};

constexpr char kCdKeyPath[] = "data3\\cdkey.dat";
