#include "assistant/BossKeyRecord.h"

#include <algorithm>

#include "assistant/RecordBytes.h"
#include "common/Text.h"

const char kShowDesktopEntry[] = "<<===显示桌面===>>";

BossKeyRecord BossKeyRecord::Defaults() {
  BossKeyRecord r;
  r.key = HotKey{0x0D, 1, 1, 0};
  return r;
}

bool BossKeyRecord::Serialize(std::string& out) const {
  using namespace record_bytes;
  out.assign(kSize, '\0');
  PutHotKey(out, 0, key);
  PutInt32(out, kIndexOffset, listIndex);
  std::string gb = CutGb(text::ToGb(title), kTitleMaxBytes);
  out.replace(kTitleOffset, gb.size(), gb);
  return true;
}

void BossKeyRecord::ApplyBytes(std::string_view bytes) {
  using namespace record_bytes;
  std::string image;
  Serialize(image);
  image.replace(0, std::min(bytes.size(), kSize), bytes.substr(0, kSize));
  key = GetHotKey(image, 0);
  listIndex = GetInt32(image, kIndexOffset);
  title = FieldText(std::string_view(image).substr(kTitleOffset, kTitleField));
}
