// The Chinese texts brova shows, read off the screen at the sizes and with
// the fonts brova draws them: every stroke of every glyph must be there. A
// glyph whose small rendering lost a stroke reads as another character (三
// as 二, 正 as 止, 宽=1280 as 宽-1280), so each glyph on the screen is compared
// with the same font drawn eight times as large and scaled down, which
// textsheet.exe makes beside the window it draws the texts in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "calendar/LunarCalendar.h"
#include "calendar/MonthModel.h"
#include "tests/support/E2e.h"

namespace {

// The fonts brova draws with, and the height of their characters in
// pixels: the dialog font (FONT 9, "宋体") of every dialog and shared_gdi's
// fonts for the calendar grid, the reminder, the result window, the search
// box and the skinned buttons.
const std::pair<const char*, int> kFonts[] = {{"dialog", 12}, {"font14", 14}, {"font24", 24}, {"bold12", 12}};

// Every text of the calendar grid (day numbers, lunar days and months,
// solar terms, weekdays), the reminder's time line and body, the result
// window's information line and the search box's prompt.
std::vector<std::string> Texts() {
  auto join = [](int from, int to, const std::function<std::string(int)>& item) {
    std::string s;
    for (int i = from; i <= to; ++i) s += (s.empty() ? "" : " ") + item(i);
    return s;
  };
  auto day = [](int d) { return std::string(CLunarCalendar::LunarDayName(d)); };
  auto month = [](int m) { return std::string(CLunarCalendar::LunarMonthName(m)); };
  auto term = [](int n) { return std::string(CLunarCalendar::SolarTermName(n)); };
  auto weekday = [](int w) { return std::string(CMonthModel::WeekdayName(w)); };
  auto number = [](int n) { return std::to_string(n); };
  return {join(1, 31, number),
          join(1, 15, day),
          join(16, 30, day),
          join(1, 12, month),
          join(0, 11, term),
          join(12, 23, term),
          join(1, 7, weekday),
          "2026年12月07日 11小时37分 第一行 第二行 第三行",
          "屏捕信息 [宽=1280, 高=800] 搜索关键字",
          // key names as the hot-key fields show them
          "VK_RETURN VK_F12 Ctrl+Alt+VK_SNAPSHOT"};
}

// Ink of a pixel, 0 (white) to 1 (black).
struct InkImage {
  const e2e::Image* img = nullptr;
  int dx = 0, dy = 0;  // where the picture's (0, 0) is on the image
  double at(int x, int y) const {
    x += dx;
    y += dy;
    if (!img || x < 0 || y < 0 || x >= img->width || y >= img->height) return 0;
    return (255 - img->gray(x, y)) / 255.0;
  }
};

struct Glyph {
  int line = 0;
  int left = 0, top = 0, right = 0, bottom = 0;
  std::string text;
};

// The largest group of touching pixels where the reference has a stroke
// and the screen has no ink within one pixel of it: 0 when every stroke is
// there. One pixel of play, for the whole glyph and for each stroke, is
// what hinting moves strokes by; a lost stroke leaves a run of pixels.
int LostStroke(const InkImage& screen, const InkImage& reference, const Glyph& g) {
  const int pad = 2;
  // The whole glyph may sit a pixel off.
  int bestX = 0, bestY = 0;
  double best = 1e18;
  for (int sy = -1; sy <= 1; ++sy) {
    for (int sx = -1; sx <= 1; ++sx) {
      double cost = 0;
      for (int y = g.top - pad; y < g.bottom + pad; ++y)
        for (int x = g.left - pad; x < g.right + pad; ++x)
          cost += std::abs(reference.at(x, y) - screen.at(x + sx, y + sy));
      if (cost < best - 1e-9) {
        best = cost;
        bestX = sx;
        bestY = sy;
      }
    }
  }
  auto inkNear = [&](int x, int y) {
    double m = 0;
    for (int j = -1; j <= 1; ++j)
      for (int i = -1; i <= 1; ++i) m = std::max(m, screen.at(x + i, y + j));
    return m;
  };
  const int w = g.right - g.left + 2 * pad, h = g.bottom - g.top + 2 * pad;
  std::vector<char> lost(static_cast<size_t>(w) * h, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int px = g.left - pad + x, py = g.top - pad + y;
      double r = reference.at(px, py);
      // A stroke may fall between two rows or columns of the reference;
      // hairlines thinner than most of a pixel are not strokes.
      double pair = r + std::max({reference.at(px - 1, py), reference.at(px + 1, py), reference.at(px, py - 1),
                                  reference.at(px, py + 1)});
      bool stroke = r >= 0.4 || (r >= 0.25 && pair >= 0.8);
      if (!stroke) continue;
      if (std::max(inkNear(px, py), inkNear(px + bestX, py + bestY)) < 0.2) lost[static_cast<size_t>(y) * w + x] = 1;
    }
  }
  int largest = 0;
  std::vector<std::pair<int, int>> stack;
  for (int y0 = 0; y0 < h; ++y0) {
    for (int x0 = 0; x0 < w; ++x0) {
      if (!lost[static_cast<size_t>(y0) * w + x0]) continue;
      int size = 0;
      stack.push_back({x0, y0});
      lost[static_cast<size_t>(y0) * w + x0] = 0;
      while (!stack.empty()) {
        auto [x, y] = stack.back();
        stack.pop_back();
        ++size;
        for (int j = -1; j <= 1; ++j) {
          for (int i = -1; i <= 1; ++i) {
            int nx = x + i, ny = y + j;
            if (nx < 0 || ny < 0 || nx >= w || ny >= h || !lost[static_cast<size_t>(ny) * w + nx]) continue;
            lost[static_cast<size_t>(ny) * w + nx] = 0;
            stack.push_back({nx, ny});
          }
        }
      }
      largest = std::max(largest, size);
    }
  }
  return largest;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> f(1);
  for (char c : line) {
    if (c == '\t')
      f.emplace_back();
    else
      f.back() += c;
  }
  return f;
}

TEST(Text, EveryGlyphOfOurTextsIsDrawnWholeAtTheSizesWeUse) {
  e2e::Session::Options options;
  options.width = 1600;
  options.height = 1200;
  e2e::Session s(options);

  std::string sheet;
  std::map<std::string, int> pixelsOf;
  for (const auto& [font, pixels] : kFonts) {
    pixelsOf[font] = pixels;
    for (const std::string& text : Texts()) sheet += std::string(font) + "\t" + text + "\n";
  }
  const std::string sheetPath = s.workDir() + "/sheet.txt", reportPath = s.workDir() + "/report.txt",
                    referencePath = s.workDir() + "/reference.pgm";
  ASSERT_TRUE(e2e::WriteFile(sheetPath, sheet));
  s.Start(std::string(BROVA_BUILD_DIR) + "/win/textsheet.exe",
          {e2e::Session::WinPath(sheetPath), e2e::Session::WinPath(reportPath), e2e::Session::WinPath(referencePath)});
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return !e2e::ReadFile(reportPath).empty(); }, 60000))
      << "textsheet drew nothing";

  int left = 0, top = 0;
  std::istringstream client(s.Winctl("client textsheet").out);
  ASSERT_TRUE(client >> left >> top) << "no textsheet window";
  e2e::Image shot = s.Grab();
  s.KeepScreenshot("text-sheet");
  e2e::Image expected = e2e::ReadImage(referencePath);
  ASSERT_FALSE(shot.empty());
  ASSERT_FALSE(expected.empty());
  s.Shell("convert " + e2e::ShellQuote(referencePath) + " " +
          e2e::ShellQuote(std::string(BROVA_BUILD_DIR) + "/screenshots/text-sheet-expected.png"));
  InkImage screen{&shot, left, top}, reference{&expected, 0, 0};

  std::vector<std::string> fontOfLine;
  // font -> character -> pixels of its longest lost stroke
  std::map<std::string, std::map<std::string, int>> lostByFont;
  int glyphs = 0;
  std::istringstream report(e2e::ReadFile(reportPath));
  for (std::string line; std::getline(report, line);) {
    auto f = Fields(line);
    if (f[0] == "line" && f.size() == 12) {
      // left top right bottom face tmHeight tmAscent width("0123456789") width("中") width font
      const std::string& font = f[11];
      if (fontOfLine.empty() || fontOfLine.back() != font) {
        // A cell as high as its characters, as 宋体's: texts stay inside
        // the boxes laid out for it (the calendar gives a day's text 16
        // pixels at 14).
        EXPECT_LE(std::stoi(f[6]), pixelsOf[font] + 1) << font << " (" << f[5] << "): cell " << f[6] << " pixels high";
        // Digits half as wide as Chinese characters, as in 宋体: dates and
        // sizes fit the widths laid out for it. (A bold made from the
        // regular face is a pixel wider, on Windows too.)
        if (font != "bold12") {
          EXPECT_EQ(std::stoi(f[8]), 5 * std::stoi(f[9]))
              << font << " (" << f[5] << "): \"0123456789\" is " << f[8] << " pixels wide, \"中\" " << f[9];
        }
      }
      fontOfLine.push_back(font);
      continue;
    }
    ASSERT_EQ(f.size(), 7u) << line;
    Glyph g{std::stoi(f[1]), std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4]), std::stoi(f[5]), f[6]};
    ++glyphs;
    int lostPixels = LostStroke(screen, reference, g);
    if (lostPixels >= 3) {
      int& worst = lostByFont[fontOfLine.at(g.line)][g.text];
      worst = std::max(worst, lostPixels);
    }
  }
  int characters = 0;
  for (const std::string& text : Texts())
    characters += static_cast<int>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80 && c != ' '; }));
  EXPECT_EQ(glyphs, characters * static_cast<int>(std::size(kFonts))) << "every character of the sheet has a place";
  for (const auto& [font, lost] : lostByFont) {
    std::string list;
    for (const auto& [character, pixels] : lost) list += " " + character + "(" + std::to_string(pixels) + ")";
    ADD_FAILURE() << font << ": a stroke is missing (its length in pixels) from" << list;
  }
}

// Captions draw their minimise, maximise and close buttons with Marlett; a
// prefix without it shows "0 1 r" instead.
TEST(Text, CaptionButtonsHaveTheirFont) {
  e2e::Session s;
  EXPECT_EQ(s.Winctl("font Marlett").status, 0);
  EXPECT_NE(s.Winctl("font NoSuchFaceAnywhere").status, 0);
  s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  s.KeepScreenshot("caption-buttons");
}

}  // namespace
