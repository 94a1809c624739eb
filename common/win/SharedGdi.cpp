#include "common/win/SharedGdi.h"

#include <vector>

namespace shared_gdi {
namespace {

const wchar_t kSongTi[] = L"宋体";

struct FontSet {
  int dpi;
  HFONT font14, font24, bold12;
};

// A handful of DPIs at most (one per monitor scale in use); kept for the
// process's life, as windows hold them between paints.
std::vector<FontSet>& Sets() {
  static std::vector<FontSet> sets;
  return sets;
}

HFONT MakeFont(int height96, int dpi, int weight, DWORD pitchAndFamily) {
  // Negative heights: the characters' height in pixels. "宋体"'s cell is as
  // high as its characters, so on Windows these are the sizes 14, 24 and 12
  // give; a face standing in for it with a taller cell keeps them too.
  // Any character set: "宋体" is chosen by its name, as ANSI_CHARSET chose it
  // on Windows; a face standing in for it may not claim the ANSI code page.
  return CreateFontW(-MulDiv(height96, dpi, 96), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitchAndFamily, kSongTi);
}

const FontSet& SetFor(int dpi) {
  if (dpi <= 0) dpi = 96;
  for (const FontSet& s : Sets())
    if (s.dpi == dpi) return s;
  Sets().push_back(FontSet{dpi, MakeFont(14, dpi, FW_DONTCARE, DEFAULT_PITCH),
                           MakeFont(24, dpi, FW_DONTCARE, DEFAULT_PITCH), MakeFont(12, dpi, FW_BOLD, FF_SWISS)});
  return Sets().back();
}

}  // namespace

void Create() { SetFor(96); }

HFONT Font14(int dpi) { return SetFor(dpi).font14; }
HFONT Font24(int dpi) { return SetFor(dpi).font24; }
HFONT BoldFont12(int dpi) { return SetFor(dpi).bold12; }

}  // namespace shared_gdi
