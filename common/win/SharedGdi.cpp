#include "common/win/SharedGdi.h"

namespace shared_gdi {
namespace {

const wchar_t kSongTi[] = L"宋体";

HFONT g_font14 = nullptr;
HFONT g_font24 = nullptr;
HFONT g_bold12 = nullptr;

HFONT MakeFont(int height, int weight, DWORD charset, DWORD pitchAndFamily) {
  return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, pitchAndFamily, kSongTi);
}

}  // namespace

void Create() {
  // Negative heights: the characters' height in pixels. "宋体"'s cell is as
  // high as its characters, so on Windows these are the sizes 14, 24 and 12
  // give; a face standing in for it with a taller cell keeps them too.
  if (!g_font14) g_font14 = MakeFont(-14, FW_DONTCARE, DEFAULT_CHARSET, DEFAULT_PITCH);
  if (!g_font24) g_font24 = MakeFont(-24, FW_DONTCARE, DEFAULT_CHARSET, DEFAULT_PITCH);
  // Any character set: "宋体" is chosen by its name, as ANSI_CHARSET chose it
  // on Windows; a face standing in for it may not claim the ANSI code page.
  if (!g_bold12) g_bold12 = MakeFont(-12, FW_BOLD, DEFAULT_CHARSET, FF_SWISS);
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
