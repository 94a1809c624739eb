// textsheet: draws lines of text with the fonts brova draws with, black on
// white, in a window titled "textsheet", so that end-to-end tests can read
// what a user would read. The window is a dialog made from a template with
// FONT 9, "宋体", as brova's dialogs are, so its font is the one the dialog
// manager makes; the other fonts are brova's shared ones.
//
//   textsheet SHEET REPORT REFERENCE
//
// SHEET is UTF-8, one line per text: FONT, a tab, the text. FONT is one of
//   dialog                    the dialog font (FONT 9, "宋体")
//   font14 | font24 | bold12  shared_gdi::Font14(96), Font24(96), BoldFont12(96)
//   face:NAME:HEIGHT:WEIGHT   CreateFontW(HEIGHT, ..., WEIGHT, ..., NAME)
//
// Once the window has been painted, REPORT (UTF-8, tab-separated) gets
//   line  LEFT TOP RIGHT BOTTOM FACE tmHeight tmAscent width("0123456789")
//         width("中") WIDTH FONT
//   glyph LINE LEFT TOP RIGHT BOTTOM CHARACTER
// in client coordinates, one "glyph" record per visible character, and
// REFERENCE (a binary PGM of the client area's size) gets what each glyph
// should look like: the same font drawn eight times as large, without
// smoothing, at the glyph's place, and scaled down by averaging.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/Text.h"
#include "common/win/SharedGdi.h"
#include "win/Gdi.h"

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kScale = 8;

struct Glyph {
  std::wstring ch;
  RECT box{};
};

struct Line {
  std::string fontName;
  std::wstring text;
  HFONT font = nullptr;
  int ascent = 0;
  RECT box{};
  std::string facts;
  std::vector<Glyph> glyphs;
  std::vector<INT> advances;
};

std::vector<Line> g_lines;
std::vector<win::Font> g_ownFonts;
std::wstring g_report;
std::wstring g_reference;
bool g_reported = false;

std::string ReadAll(const std::wstring& path) {
  std::string data;
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return data;
  char buf[4096];
  DWORD n = 0;
  while (ReadFile(f, buf, sizeof buf, &n, nullptr) && n > 0) data.append(buf, n);
  CloseHandle(f);
  return data;
}

// Written under another name and moved into place: the file appears whole.
void WriteAll(const std::wstring& path, const std::string& data) {
  std::wstring tmp = path + L".tmp";
  HANDLE f = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD n = 0;
  WriteFile(f, data.data(), static_cast<DWORD>(data.size()), &n, nullptr);
  CloseHandle(f);
  MoveFileExW(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::vector<std::string> SplitOn(const std::string& s, char sep) {
  std::vector<std::string> out(1);
  for (char c : s) {
    if (c == sep)
      out.emplace_back();
    else
      out.back() += c;
  }
  return out;
}

HFONT FontFor(const std::string& name, HFONT dialogFont) {
  if (name == "dialog") return dialogFont;
  if (name == "font14") return shared_gdi::Font14(96);
  if (name == "font24") return shared_gdi::Font24(96);
  if (name == "bold12") return shared_gdi::BoldFont12(96);
  auto f = SplitOn(name, ':');
  if (f.size() != 4 || f[0] != "face") return nullptr;
  g_ownFonts.emplace_back(CreateFontW(std::atoi(f[2].c_str()), 0, 0, 0, std::atoi(f[3].c_str()), FALSE, FALSE, FALSE,
                                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH, text::Widen(f[1]).c_str()));
  return g_ownFonts.back();
}

int Width(HDC dc, const std::wstring& s) {
  SIZE size{};
  GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &size);
  return size.cx;
}

// Places the lines one under another and each character on its line, and
// records what GDI made of each font.
SIZE Layout(HWND dlg) {
  win::WindowDc dc(dlg);
  int y = kMargin, right = 0;
  for (Line& line : g_lines) {
    win::Select font(dc, line.font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    int width = Width(dc, line.text);
    line.ascent = tm.tmAscent;
    line.box = {kMargin, y, kMargin + width, y + tm.tmHeight};
    line.facts = text::Narrow(face) + "\t" + std::to_string(tm.tmHeight) + "\t" + std::to_string(tm.tmAscent) + "\t" +
                 std::to_string(Width(dc, L"0123456789")) + "\t" + std::to_string(Width(dc, L"\x4E2D")) + "\t" +
                 std::to_string(width);
    for (size_t i = 0; i < line.text.size(); ++i) {
      int left = kMargin + Width(dc, line.text.substr(0, i));
      int advance = Width(dc, line.text.substr(0, i + 1)) - Width(dc, line.text.substr(0, i));
      line.advances.push_back(advance);
      if (line.text[i] != L' ')
        line.glyphs.push_back({line.text.substr(i, 1), {left, y, left + advance, y + tm.tmHeight}});
    }
    y += tm.tmHeight + kGap;
    if (line.box.right > right) right = line.box.right;
  }
  return {right + kMargin, y + kMargin - kGap};
}

void Paint(HWND dlg) {
  win::PaintDc dc(dlg);
  RECT client;
  GetClientRect(dlg, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  for (const Line& line : g_lines) {
    win::Select font(dc, line.font);
    // Each character at the place Layout measured for it, as the report says.
    ExtTextOutW(dc, line.box.left, line.box.top, 0, nullptr, line.text.c_str(), static_cast<UINT>(line.text.size()),
                line.advances.data());
  }
}

// The reference picture: every glyph drawn kScale times as large into a
// one-bit bitmap and averaged down onto its place, baselines matching.
std::string Reference(int width, int height) {
  std::vector<unsigned char> gray(static_cast<size_t>(width) * height, 255);
  win::OwnedDc dc = win::OwnedDc::Compatible(nullptr);
  for (const Line& line : g_lines) {
    LOGFONTW lf{};
    GetObjectW(line.font, sizeof lf, &lf);
    lf.lfHeight *= kScale;
    lf.lfWidth *= kScale;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    win::Font big(CreateFontIndirectW(&lf));
    for (const Glyph& g : line.glyphs) {
      // One glyph's place, widened so that overhanging strokes are kept.
      const int pad = 4;
      int cellW = g.box.right - g.box.left + 2 * pad, cellH = g.box.bottom - g.box.top + 2 * pad;
      int bw = cellW * kScale, bh = cellH * kScale;
      int stride = ((bw + 15) / 16) * 2;  // rows of a bitmap are WORD-aligned
      std::vector<unsigned char> bits(static_cast<size_t>(stride) * bh);
      win::Bitmap bitmap(CreateBitmap(bw, bh, 1, 1, nullptr));
      {
        win::Select selBitmap(dc, bitmap);
        win::Select selFont(dc, big);
        PatBlt(dc, 0, 0, bw, bh, WHITENESS);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        SetTextAlign(dc, TA_BASELINE | TA_LEFT);
        TextOutW(dc, pad * kScale, (pad + line.ascent) * kScale, g.ch.c_str(), 1);
        GdiFlush();
      }
      GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data());
      for (int cy = 0; cy < cellH; ++cy) {
        for (int cx = 0; cx < cellW; ++cx) {
          int x = g.box.left - pad + cx, y = g.box.top - pad + cy;
          if (x < 0 || y < 0 || x >= width || y >= height) continue;
          int ink = 0;
          for (int sy = 0; sy < kScale; ++sy) {
            const unsigned char* row = &bits[static_cast<size_t>(cy * kScale + sy) * stride];
            for (int sx = 0; sx < kScale; ++sx) {
              int bx = cx * kScale + sx;
              if (!(row[bx / 8] & (0x80 >> (bx % 8)))) ++ink;
            }
          }
          unsigned char& p = gray[static_cast<size_t>(y) * width + x];
          int v = 255 - ink * 255 / (kScale * kScale);
          if (v < p) p = static_cast<unsigned char>(v);
        }
      }
    }
  }
  std::string pgm = "P5\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  pgm.append(gray.begin(), gray.end());
  return pgm;
}

void Report(HWND dlg) {
  std::string out;
  for (size_t i = 0; i < g_lines.size(); ++i) {
    const Line& line = g_lines[i];
    out += text::Format("line\t%ld\t%ld\t%ld\t%ld\t", line.box.left, line.box.top, line.box.right, line.box.bottom) +
           line.facts + "\t" + line.fontName + "\n";
    for (const Glyph& g : line.glyphs) {
      out += text::Format("glyph\t%d\t%ld\t%ld\t%ld\t%ld\t", static_cast<int>(i), g.box.left, g.box.top, g.box.right,
                          g.box.bottom) +
             text::Narrow(g.ch) + "\n";
    }
  }
  RECT client;
  GetClientRect(dlg, &client);
  WriteAll(g_reference, Reference(client.right, client.bottom));
  // Last: the report's presence tells the test that everything is ready.
  WriteAll(g_report, out);
}

INT_PTR CALLBACK SheetProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: {
      HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(dlg, WM_GETFONT, 0, 0));
      for (Line& line : g_lines) {
        line.font = FontFor(line.fontName, dialogFont);
        if (!line.font) {
          EndDialog(dlg, 3);
          return TRUE;
        }
      }
      SIZE content = Layout(dlg);
      RECT r = {0, 0, content.cx, content.cy};
      AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(dlg, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(GetWindowLongPtrW(dlg, GWL_EXSTYLE)));
      SetWindowPos(dlg, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
      return TRUE;
    }
    case WM_PAINT:
      Paint(dlg);
      if (!g_reported) {
        g_reported = true;
        PostMessageW(dlg, WM_APP, 0, 0);
      }
      return TRUE;
    case WM_APP:
      GdiFlush();
      Report(dlg);
      return TRUE;
    case WM_CLOSE:
      EndDialog(dlg, 0);
      return TRUE;
  }
  return FALSE;
}

// An in-memory dialog template: a captioned window with minimise, maximise
// and close boxes, FONT 9, "宋体", no controls.
std::vector<WORD> SheetTemplate() {
  std::vector<WORD> t;
  auto dword = [&](DWORD v) {
    t.push_back(LOWORD(v));
    t.push_back(HIWORD(v));
  };
  auto str = [&](const wchar_t* s) {
    for (; *s; ++s) t.push_back(*s);
    t.push_back(0);
  };
  dword(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_VISIBLE);
  dword(0);              // extended style
  t.push_back(0);        // controls
  t.push_back(0);        // x
  t.push_back(0);        // y
  t.push_back(100);      // cx
  t.push_back(50);       // cy
  t.push_back(0);        // no menu
  t.push_back(0);        // default class
  str(L"textsheet");     // title
  t.push_back(9);        // point size
  str(L"\x5B8B\x4F53");  // 宋体
  return t;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc != 4) return 2;
  g_report = argv[2];
  g_reference = argv[3];
  for (std::string row : SplitOn(ReadAll(argv[1]), '\n')) {
    if (!row.empty() && row.back() == '\r') row.pop_back();
    size_t tab = row.find('\t');
    if (tab == std::string::npos) continue;
    Line line;
    line.fontName = row.substr(0, tab);
    line.text = text::Widen(row.substr(tab + 1));
    g_lines.push_back(line);
  }
  std::vector<WORD> tmpl = SheetTemplate();
  return static_cast<int>(
      DialogBoxIndirectW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()), nullptr, SheetProc));
}
