// The 4-byte hot-key record stored in the capture settings, boss-key and
// CD-key files: byte 0 virtual-key code, byte 1 Ctrl, byte 2 Alt, byte 3
// Shift (each 0 or 1).
#pragma once
#include <cstddef>
#include <cstdint>

struct HotKey {
  static constexpr size_t kSize = 4;

  uint8_t key = 0;  // 0: no key; such a record never fires
  uint8_t ctrl = 0;
  uint8_t alt = 0;
  uint8_t shift = 0;

  void Store(uint8_t* out) const {
    out[0] = key;
    out[1] = ctrl;
    out[2] = alt;
    out[3] = shift;
  }
  static HotKey Load(const uint8_t* in) { return HotKey{in[0], in[1], in[2], in[3]}; }

  // True when a key report with these modifier states is this hot key.
  bool Matches(int code, bool withCtrl, bool withAlt, bool withShift) const {
    return key != 0 && code == key && ctrl == (withCtrl ? 1 : 0) && alt == (withAlt ? 1 : 0) &&
           shift == (withShift ? 1 : 0);
  }

  bool operator==(const HotKey& o) const {
    return key == o.key && ctrl == o.ctrl && alt == o.alt && shift == o.shift;
  }
  bool operator!=(const HotKey& o) const { return !(*this == o); }
};
