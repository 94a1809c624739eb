#include "common/win/SharedGdi.h"

namespace shared_gdi {
namespace {

const wchar_t kSongTi[] = L"\x5B8B\x4F53";  // 宋体

HBRUSH g_background = nullptr;
HFONT g_font14 = nullptr;
HFONT g_font24 = nullptr;
HFONT g_bold12 = nullptr;

HFONT MakeFont(int height, int weight, DWORD charset, DWORD pitchAndFamily) {
  return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, pitchAndFamily, kSongTi);
}

}  // namespace

void Create() {
  if (!g_background) g_background = CreateSolidBrush(kBackgroundColor);
  if (!g_font14) g_font14 = MakeFont(14, FW_DONTCARE, DEFAULT_CHARSET, DEFAULT_PITCH);
  if (!g_font24) g_font24 = MakeFont(24, FW_DONTCARE, DEFAULT_CHARSET, DEFAULT_PITCH);
  if (!g_bold12) g_bold12 = MakeFont(12, FW_BOLD, ANSI_CHARSET, FF_SWISS);
}

HBRUSH BackgroundBrush() {
  Create();
  return g_background;
}
HFONT Font14() {
  Create();
  return g_font14;
}
HFONT Font24() {
  Create();
  return g_font24;
}
HFONT BoldFont12() {
  Create();
  return g_bold12;
}

}  // namespace shared_gdi
