// The boss-key record "data3\bosskey.dat", 308 bytes, little-endian:
//   0  hot key (4)   4  list index int32 (0: show the desktop)
//   8  title of the cover window, 300 bytes of GBK text with its NUL
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/HotKey.h"

struct BossKeyRecord {
  static constexpr size_t kSize = 308;
  static constexpr size_t kIndexOffset = 4;
  static constexpr size_t kTitleOffset = 8;
  static constexpr size_t kTitleField = 300;
  // The field keeps a NUL; a longer title is cut at a character boundary.
  static constexpr size_t kTitleMaxBytes = kTitleField - 1;

  HotKey key;
  int32_t listIndex = 0;  // only zero or not zero matters
  std::string title;      // UTF-8

  // Ctrl+Alt+Enter, show the desktop.
  static BossKeyRecord Defaults();
  void ApplyBytes(std::string_view bytes);
  // What CRecordStore asks of a record.
  void ApplyNoFile(const std::string&) { *this = Defaults(); }
  bool Serialize(std::string& out) const;  // always true: every record fits its size
  bool ShowsDesktop() const { return listIndex == 0; }
};

static_assert(BossKeyRecord::kTitleOffset + BossKeyRecord::kTitleField == BossKeyRecord::kSize);

// The entry 0 of the page's window list, stored as the title when it is chosen.
extern const char kShowDesktopEntry[];
constexpr char kBossKeyPath[] = "data3\\bosskey.dat";
