#include "capture/SnapshotSettings.h"

#include <algorithm>

#include "common/Text.h"

const char kSaveFolderInvalidText[] = "保存目录设置不正确";
const char kSaveFolderTooLongText[] = "保存目录太长";

namespace {

void PutInt32(std::string& out, size_t at, int32_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) out[at + static_cast<size_t>(i)] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

int32_t GetInt32(const std::string& in, size_t at) {
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(static_cast<uint8_t>(in[at + static_cast<size_t>(i)])) << (8 * i);
  return static_cast<int32_t>(u);
}

void PutHotKey(std::string& out, size_t at, const HotKey& k) {
  uint8_t b[HotKey::kSize];
  k.Store(b);
  for (size_t i = 0; i < HotKey::kSize; ++i) out[at + i] = static_cast<char>(b[i]);
}

HotKey GetHotKey(const std::string& in, size_t at) {
  uint8_t b[HotKey::kSize];
  for (size_t i = 0; i < HotKey::kSize; ++i) b[i] = static_cast<uint8_t>(in[at + i]);
  return HotKey::Load(b);
}

// The record image with the folder's GBK bytes cut to the field if needed.
std::string Image(const SnapshotSettings& s) {
  std::string out(SnapshotSettings::kSize, '\0');
  PutHotKey(out, SnapshotSettings::kFullScreenOffset, s.fullScreen);
  PutHotKey(out, SnapshotSettings::kWindowOffset, s.window);
  PutHotKey(out, SnapshotSettings::kRegionOffset, s.region);
  PutInt32(out, SnapshotSettings::kToClipboardOffset, s.toClipboard);
  PutInt32(out, SnapshotSettings::kToFileOffset, s.toFile);
  std::string gb = text::ToGb(s.folder);
  out.replace(SnapshotSettings::kFolderOffset, std::min(gb.size(), SnapshotSettings::kFolderMaxBytes), gb, 0,
              SnapshotSettings::kFolderMaxBytes);
  return out;
}

}  // namespace

SnapshotSettings SnapshotSettings::Defaults(const std::string& programFolder) {
  SnapshotSettings s;
  s.fullScreen = HotKey{0x31, 1, 1, 0};
  s.window = HotKey{0x32, 1, 1, 0};
  s.region = HotKey{0x33, 1, 1, 0};
  s.toClipboard = 1;
  s.toFile = 1;
  s.folder = programFolder;
  if (!s.folder.empty() && s.folder.back() != '\\' && s.folder.back() != '/') s.folder += '\\';
  s.folder += "Snapshot\\";
  return s;
}

bool SnapshotSettings::Serialize(std::string& out) const {
  if (text::ToGb(folder).size() > kFolderMaxBytes) return false;
  out = Image(*this);
  return true;
}

void SnapshotSettings::ApplyBytes(std::string_view bytes) {
  std::string image = Image(*this);
  image.replace(0, std::min(bytes.size(), kSize), bytes.substr(0, kSize));
  fullScreen = GetHotKey(image, kFullScreenOffset);
  window = GetHotKey(image, kWindowOffset);
  region = GetHotKey(image, kRegionOffset);
  toClipboard = GetInt32(image, kToClipboardOffset);
  toFile = GetInt32(image, kToFileOffset);
  // A field without a NUL ends at the end of the record.
  std::string_view field(image.data() + kFolderOffset, kFolderField);
  folder = text::FromGb(field.substr(0, field.find('\0')));
}

SaveFolderCheck CheckSaveFolder(std::string_view typed, std::string& completed) {
  completed = text::Trim(typed);
  // In UTF-8 (as in GBK) a ":" second byte means the first is one ASCII character.
  if (completed.size() < 2 || completed[1] != ':') return SaveFolderCheck::kInvalid;
  if (completed.back() != '\\' && completed.size() > 2) completed += '\\';
  if (text::ToGb(completed).size() > SnapshotSettings::kFolderMaxBytes) return SaveFolderCheck::kTooLong;
  return SaveFolderCheck::kOk;
}
