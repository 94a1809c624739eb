#include "assistant/CdKeyRecords.h"

#include <algorithm>

#include "assistant/RecordBytes.h"

CdKeyRecords CdKeyRecords::Defaults() { return CdKeyRecords{HotKey{0x50, 1, 1, 0}, HotKey{0x4C, 1, 1, 0}}; }

bool CdKeyRecords::Serialize(std::string& out) const {
  out.assign(kSize, '\0');
  record_bytes::PutHotKey(out, 0, open);
  record_bytes::PutHotKey(out, HotKey::kSize, close);
  return true;
}

void CdKeyRecords::ApplyBytes(std::string_view bytes) {
  std::string image;
  Serialize(image);
  image.replace(0, std::min(bytes.size(), kSize), bytes.substr(0, kSize));
  open = record_bytes::GetHotKey(image, 0);
  close = record_bytes::GetHotKey(image, HotKey::kSize);
}
