#include "assistant/RecordBytes.h"

#include <algorithm>

#include "common/Text.h"

namespace record_bytes {

void PutInt32(std::string& out, size_t at, int32_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  for (size_t i = 0; i < 4; ++i) out[at + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

int32_t GetInt32(std::string_view in, size_t at) {
  uint32_t u = 0;
  for (size_t i = 0; i < 4; ++i) u |= static_cast<uint32_t>(static_cast<uint8_t>(in[at + i])) << (8 * i);
  return static_cast<int32_t>(u);
}

void PutHotKey(std::string& out, size_t at, const HotKey& k) {
  uint8_t b[HotKey::kSize];
  k.Store(b);
  std::copy(b, b + HotKey::kSize, out.begin() + static_cast<std::ptrdiff_t>(at));
}

HotKey GetHotKey(std::string_view in, size_t at) {
  uint8_t b[HotKey::kSize];
  for (size_t i = 0; i < HotKey::kSize; ++i) b[i] = static_cast<uint8_t>(in[at + i]);
  return HotKey::Load(b);
}

std::string CutGb(const std::string& gb, size_t maxBytes) {
  // GB18030: one byte below 0x80, four when a digit follows the lead byte, else two.
  size_t end = 0;
  while (end < gb.size()) {
    uint8_t lead = static_cast<uint8_t>(gb[end]);
    size_t n = 1;
    if (lead >= 0x81 && end + 1 < gb.size()) {
      uint8_t next = static_cast<uint8_t>(gb[end + 1]);
      n = (next >= 0x30 && next <= 0x39) ? 4 : 2;
    }
    if (end + n > maxBytes) break;
    end += n;
  }
  return gb.substr(0, std::min(end, gb.size()));
}

std::string FieldText(std::string_view field) { return text::FromGb(field.substr(0, field.find('\0'))); }

}  // namespace record_bytes
