// The reminder prompt's skin in "data\config.dat", read forward only with
// CWholeFile, keys in this order:
//   [DIALOG_PROMPT_LIST_POSITION]   then "x,y,width,drop-down height" of the snooze list
//   [BITMAP_BACKGROUND_PROMPT]      then the background bitmap path
//   [BUTTON_BEGIN_PROMPT]           then one line per button up to [BUTTON_END]:
//     "x,y,width,height,state,mask,radio,bitmap path"
// Bitmap paths are used as written, relative to the program folder.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CWholeFile;

constexpr const char* kPromptSkinPath = "data\\config.dat";

// Places and sizes in a skin are held to 0-32767, as window coordinates are:
// a button's right edge (x + width) and the left edge of its last frame in
// the image strip (4 * width) then stay well within int.
constexpr int kMaxSkinCoordinate = 32767;
inline int BoundSkinCoordinate(int v) {
  return v < 0 ? 0 : (v > kMaxSkinCoordinate ? kMaxSkinCoordinate : v);
}

struct PromptSkinButton {
  // Defaults for the values a button line leaves out.
  int x = 0, y = 0, width = 100, height = 20;
  int state = 0;  // 0 normal, 1 hovered, 2 pressed, 3 disabled, 4 selected
  int mask = 0;
  int radio = 0;
  std::string bitmapPath;  // UTF-8
};

struct PromptSkin {
  static constexpr int kMaxButtons = 10;
  static constexpr size_t kMaxPathBytes = 259;

  bool listPositionRead = false;
  int listX = 0, listY = 0, listWidth = 0, listHeight = 0;
  std::string backgroundPath;  // UTF-8; empty until read
  std::vector<PromptSkinButton> buttons;
};

enum PromptSkinResult {
  kSkinLoaded = 0,
  kSkinFileMissing = 1,
  kSkinNoListPosition = 2,  // key or its four numbers missing
  kSkinNoBackground = 3,    // key or path missing, or the bitmap does not load
  kSkinNoButtonList = 4,
  kSkinButtonRefused = 5,   // an eleventh button, a bad line or a bitmap that does not load
};

// Parses one button line; values it leaves out keep their defaults, places
// and sizes are bounded. False when the path is longer than kMaxPathBytes.
bool ParsePromptButtonLine(std::string_view line, PromptSkinButton& button);

// Asked to load each bitmap: the background with button -1, then each
// button's strip with its number. Returns whether the bitmap loaded.
using PromptBitmapLoader = std::function<bool(const std::string& path, int button)>;

// Reads the skin from a loaded file. What was read before a failure stays in
// skin. Returns a PromptSkinResult.
int ReadPromptSkin(CWholeFile& file, PromptSkin& skin, const PromptBitmapLoader& loadBitmap);
int LoadPromptSkin(const std::string& path, PromptSkin& skin, const PromptBitmapLoader& loadBitmap);
