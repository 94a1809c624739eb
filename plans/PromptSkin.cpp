#include "plans/PromptSkin.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "common/Text.h"
#include "common/WholeFile.h"

namespace {

constexpr std::string_view kListPositionKey = "[DIALOG_PROMPT_LIST_POSITION]";
constexpr std::string_view kBackgroundKey = "[BITMAP_BACKGROUND_PROMPT]";
constexpr std::string_view kButtonsBegin = "[BUTTON_BEGIN_PROMPT]";
constexpr std::string_view kButtonsEnd = "[BUTTON_END]";

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Reads a decimal number as scanf's %d does: white space, a sign, digits.
// Values beyond int are clamped.
bool ReadInt(std::string_view s, size_t& pos, int& value) {
  size_t p = pos;
  while (p < s.size() && IsSpace(s[p])) ++p;
  bool negative = false;
  if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
  size_t digits = p;
  int64_t v = 0;
  while (p < s.size() && s[p] >= '0' && s[p] <= '9') {
    v = std::min<int64_t>(v * 10 + (s[p] - '0'), int64_t(INT_MAX) + 1);
    ++p;
  }
  if (p == digits) return false;
  v = negative ? -v : v;
  value = static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
  pos = p;
  return true;
}

// "a,b,c,..." into up to n ints; stops at the first mismatch, as scanf does.
// Returns how many were read and leaves pos after the last separator taken.
int ReadIntList(std::string_view s, size_t& pos, int* const* values, int n) {
  int read = 0;
  while (read < n && ReadInt(s, pos, *values[read])) {
    ++read;
    if (pos < s.size() && s[pos] == ',') {
      ++pos;
    } else {
      break;
    }
  }
  return read;
}

std::string PathOf(const std::string& line) { return text::FromGb(text::Trim(line)); }

}  // namespace

bool ParsePromptButtonLine(std::string_view line, PromptSkinButton& button) {
  PromptSkinButton b;
  int* const fields[] = {&b.x, &b.y, &b.width, &b.height, &b.state, &b.mask, &b.radio};
  size_t pos = 0;
  int read = ReadIntList(line, pos, fields, 7);
  if (read == 7 && pos > 0 && line[pos - 1] == ',') {
    while (pos < line.size() && IsSpace(line[pos])) ++pos;
    size_t end = pos;
    while (end < line.size() && !IsSpace(line[end])) ++end;
    if (end - pos > PromptSkin::kMaxPathBytes) return false;
    b.bitmapPath = text::FromGb(line.substr(pos, end - pos));
  }
  // A state outside 0-4 would pick a frame beyond the image strip.
  if (b.state < 0 || b.state > 4) b.state = 0;
  for (int* v : {&b.x, &b.y, &b.width, &b.height}) *v = BoundSkinCoordinate(*v);
  button = b;
  return true;
}

int ReadPromptSkin(CWholeFile& file, PromptSkin& skin, const PromptBitmapLoader& loadBitmap) {
  std::string line;
  if (file.SeekPrefix(kListPositionKey, line) != 0 || file.NextContentLine(line) != 0)
    return kSkinNoListPosition;
  int x, y, w, h;
  int* const position[] = {&x, &y, &w, &h};
  size_t pos = 0;
  if (ReadIntList(line, pos, position, 4) != 4) return kSkinNoListPosition;
  skin.listPositionRead = true;
  skin.listX = BoundSkinCoordinate(x);
  skin.listY = BoundSkinCoordinate(y);
  skin.listWidth = BoundSkinCoordinate(w);
  skin.listHeight = BoundSkinCoordinate(h);

  if (file.SeekPrefix(kBackgroundKey, line) != 0 || file.NextContentLine(line) != 0)
    return kSkinNoBackground;
  skin.backgroundPath = PathOf(line);
  if (!loadBitmap(skin.backgroundPath, -1)) return kSkinNoBackground;

  if (file.SeekPrefix(kButtonsBegin, line) != 0) return kSkinNoButtonList;
  while (file.NextContentLine(line) == 0 && line != kButtonsEnd) {
    if (static_cast<int>(skin.buttons.size()) == PromptSkin::kMaxButtons) return kSkinButtonRefused;
    PromptSkinButton button;
    if (!ParsePromptButtonLine(line, button)) return kSkinButtonRefused;
    if (!loadBitmap(button.bitmapPath, static_cast<int>(skin.buttons.size())))
      return kSkinButtonRefused;
    skin.buttons.push_back(button);
  }
  return kSkinLoaded;
}

int LoadPromptSkin(const std::string& path, PromptSkin& skin, const PromptBitmapLoader& loadBitmap) {
  CWholeFile file;
  if (file.Load(path) != CWholeFile::kLoaded) return kSkinFileMissing;
  return ReadPromptSkin(file, skin, loadBitmap);
}
