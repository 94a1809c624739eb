#include "capture/MarkupRaster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

namespace {

using namespace markup;

constexpr uint32_t kRed = 0xFF0000;

// A picture whose every pixel differs from its neighbours, fourth byte too.
struct Picture {
  Picture(int w, int h) : pixels(static_cast<size_t>(w) * h) {
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint32_t>(i * 2654435761u) & 0xF0F0F0F0u;
    view = PixelView{pixels.data(), w, h, w};
  }
  // The same pixels stored bottom-up, as a DIB keeps them.
  Picture(const Picture& o, bool bottomUp) : pixels(o.pixels.size()) {
    view = o.view;
    if (!bottomUp) {
      pixels = o.pixels;
      view.top = pixels.data();
      return;
    }
    for (int y = 0; y < o.view.height; ++y)
      std::copy(o.view.Row(y), o.view.Row(y) + o.view.width, &pixels[static_cast<size_t>(o.view.height - 1 - y) * o.view.width]);
    view.top = &pixels[static_cast<size_t>(o.view.height - 1) * o.view.width];
    view.stride = -o.view.width;
  }
  std::vector<uint32_t> pixels;
  PixelView view;
};

// What a raster did to each pixel.
struct Changes {
  std::set<std::pair<int, int>> at;  // (x, y) of every changed pixel
  bool allExact = true;               // each changed pixel is exactly the colour, fourth byte kept
};
Changes Compare(const PixelView& before, const PixelView& after, uint32_t colour) {
  Changes c;
  for (int y = 0; y < before.height; ++y) {
    for (int x = 0; x < before.width; ++x) {
      const uint32_t b = before.At(x, y), a = after.At(x, y);
      if (a == b) continue;
      c.at.insert({x, y});
      if (a != ((b & 0xFF000000u) | colour)) c.allExact = false;
    }
  }
  return c;
}

Changes Draw(const Shape& s, int w = 200, int h = 120) {
  Picture picture(w, h), out(picture, false);
  RasterShape(out.view, picture.view, s, out.view.Area());
  return Compare(picture.view, out.view, s.colour);
}

TEST(MarkupRaster, RectangleOutlineIsExactlyInsideItsBox) {
  for (int width : {1, 2, 4, 8}) {
    Shape s = NewShape(Tool::kRectangle, kRed, width, Point{120, 80}, Point{20, 20});
    Changes c = Draw(s);
    EXPECT_TRUE(c.allExact) << width;
    std::set<std::pair<int, int>> expected;
    for (int y = 20; y <= 80; ++y) {
      for (int x = 20; x <= 120; ++x) {
        if (x < 20 + width || x > 120 - width || y < 20 + width || y > 80 - width) expected.insert({x, y});
      }
    }
    EXPECT_EQ(c.at, expected) << width;
  }
}

TEST(MarkupRaster, ThinLinesAndPenStrokesAreUnsmoothedAndReachBothEnds) {
  struct Case {
    Point a, b;
  } cases[] = {{{10, 10}, {150, 10}}, {{30, 100}, {30, 5}}, {{5, 5}, {105, 105}}, {{180, 7}, {20, 60}}, {{50, 2}, {61, 110}}};
  for (Tool tool : {Tool::kLine, Tool::kPen}) {
    for (int width : {1, 2}) {
      for (const Case& k : cases) {
        Shape s = NewShape(tool, 0x00A0FF, width, k.a, k.b);
        Changes c = Draw(s);
        const int major = std::max(std::abs(k.b.x - k.a.x), std::abs(k.b.y - k.a.y));
        EXPECT_TRUE(c.allExact) << width << " " << k.b.x;
        EXPECT_EQ(c.at.size(), static_cast<size_t>((major + 1) * width)) << width << " " << k.b.x;
        EXPECT_TRUE(c.at.count({k.a.x, k.a.y}) && c.at.count({k.b.x, k.b.y}));
        // Every pixel lies on the line, within the width.
        const double dx = k.b.x - k.a.x, dy = k.b.y - k.a.y, len = std::sqrt(dx * dx + dy * dy);
        for (const auto& p : c.at) EXPECT_LE(std::abs((p.first - k.a.x) * dy - (p.second - k.a.y) * dx) / len, width + 0.5);
      }
    }
  }
}

TEST(MarkupRaster, ThinArrowIsExactWithAHeadAtItsEnd) {
  for (int width : {1, 2}) {
    Shape s = NewShape(Tool::kArrow, kRed, width, Point{20, 60}, Point{170, 60});
    Changes c = Draw(s);
    EXPECT_TRUE(c.allExact) << width;
    EXPECT_TRUE(c.at.count({20, 60}) && c.at.count({170, 60}));
    auto column = [&](int x) {
      int n = 0;
      for (int y = 0; y < 120; ++y) n += static_cast<int>(c.at.count({x, y}));
      return n;
    };
    EXPECT_EQ(column(60), width);                                   // the shaft
    EXPECT_GE(column(170 - ArrowHeadLength(width) + 2), 2 * width + 4);  // the head, wider
    for (const auto& p : c.at) EXPECT_LE(p.first, 170);
  }
}

TEST(MarkupRaster, WideAndCurvedShapesAreSmoothedWithinTheirBounds) {
  const Shape shapes[] = {NewShape(Tool::kLine, kRed, 8, Point{10, 15}, Point{180, 100}),
                          NewShape(Tool::kArrow, kRed, 4, Point{10, 100}, Point{180, 20}),
                          NewShape(Tool::kEllipse, kRed, 2, Point{20, 20}, Point{120, 80}),
                          NewShape(Tool::kEllipse, kRed, 8, Point{20, 20}, Point{120, 80})};
  for (const Shape& s : shapes) {
    Picture picture(200, 120), out(picture, false);
    RasterShape(out.view, picture.view, s, out.view.Area());
    Changes c = Compare(picture.view, out.view, s.colour);
    EXPECT_FALSE(c.allExact) << "smoothed edges";
    const Rect bounds = ShapeBounds(s);
    for (const auto& p : c.at) EXPECT_TRUE(Contains(bounds, Point{p.first, p.second}));
    if (s.tool != Tool::kEllipse) continue;
    // The ring, inside its box: full at the middle of its edges (the box's
    // outermost columns there are covered all but a sliver), nothing at the
    // corners of the box or at its centre.
    EXPECT_EQ(out.view.At(70, 20) & 0xFFFFFF, kRed);
    EXPECT_EQ(out.view.At(21, 50) & 0xFFFFFF, kRed);
    EXPECT_EQ(out.view.At(119, 50) & 0xFFFFFF, kRed);
    EXPECT_GE((out.view.At(20, 50) >> 16) & 0xFF, 250u);
    for (Point p : {Point{20, 20}, Point{120, 80}, Point{70, 50}, Point{19, 50}, Point{70, 81}})
      EXPECT_EQ(c.at.count({p.x, p.y}), 0u) << p.x << "," << p.y;
  }
}

TEST(MarkupRaster, HighlighterIsTranslucentAndEvenOverItself) {
  std::vector<uint32_t> grey(100 * 60, 0x40808080u);
  PixelView picture{grey.data(), 100, 60, 100};
  std::vector<uint32_t> once = grey, twice = grey;
  PixelView a{once.data(), 100, 60, 100}, b{twice.data(), 100, 60, 100};
  Shape s = NewShape(Tool::kHighlighter, 0xFFFF00, 2, Point{10, 30}, Point{90, 30});
  RasterShape(a, picture, s, a.Area());
  // Back and forth over the same line: not darker where it crosses itself.
  AddPoint(s, Point{10, 30});
  AddPoint(s, Point{90, 30});
  RasterShape(b, picture, s, b.Area());
  EXPECT_EQ(once, twice);
  // 40 % of yellow over grey 0x80, the fourth byte kept.
  EXPECT_EQ(a.At(50, 30), 0x40B3B34Du);
  EXPECT_EQ(a.At(50, 30 - HighlighterWidth(2) / 2 - 2), 0x40808080u);
}

TEST(MarkupRaster, MosaicCellsAreTheAveragesOfThePictureOnItsGrid) {
  Picture picture(120, 80), out(picture, false);
  const Shape s = NewShape(Tool::kMosaic, kRed, 2, Point{5, 7}, Point{40, 30});  // cells of 12
  ASSERT_EQ(MosaicCell(2), 12);
  RasterShape(out.view, picture.view, s, out.view.Area());
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 120; ++x) {
      const bool inside = x >= 5 && x <= 40 && y >= 7 && y <= 30;
      if (!inside) {
        ASSERT_EQ(out.view.At(x, y), picture.view.At(x, y)) << x << "," << y;
        continue;
      }
      // The cell on the picture's grid, cut to the mosaic's box.
      const int cx = x / 12 * 12, cy = y / 12 * 12;
      const int l = std::max(cx, 5), t = std::max(cy, 7), r = std::min(cx + 12, 41), b = std::min(cy + 12, 31);
      uint64_t sum[3] = {0, 0, 0};
      for (int v = t; v < b; ++v)
        for (int u = l; u < r; ++u)
          for (int ch = 0; ch < 3; ++ch) sum[ch] += (picture.view.At(u, v) >> (8 * ch)) & 0xFF;
      const uint64_t n = static_cast<uint64_t>((r - l) * (b - t));
      uint32_t expected = picture.view.At(x, y) & 0xFF000000u;
      for (int ch = 0; ch < 3; ++ch) expected |= static_cast<uint32_t>((sum[ch] + n / 2) / n) << (8 * ch);
      ASSERT_EQ(out.view.At(x, y), expected) << x << "," << y;
    }
  }
}

// The editor redraws only the areas a change touches; the result must be the
// picture drawn whole, in a bottom-up picture as in a top-down one.
TEST(MarkupRaster, RedrawingTheAreasOfAChangeEqualsDrawingEverything) {
  for (bool bottomUp : {false, true}) {
    Picture base(240, 160);
    Picture picture(base, bottomUp), out(base, bottomUp), whole(base, bottomUp);
    CMarkupDocument doc;
    const uint32_t rect = doc.Add(NewShape(Tool::kRectangle, kRed, 2, Point{10, 10}, Point{100, 70}));
    doc.Add(NewShape(Tool::kEllipse, 0x00FF00, 4, Point{50, 30}, Point{200, 140}));
    Shape stroke = NewShape(Tool::kHighlighter, 0x0000FF, 2, Point{5, 150}, Point{60, 100});
    AddPoint(stroke, Point{230, 20});
    doc.Add(stroke);
    doc.Add(NewShape(Tool::kMosaic, 0, 1, Point{150, 100}, Point{235, 155}));
    const uint32_t arrow = doc.Add(NewShape(Tool::kArrow, 0xFF00FF, 8, Point{230, 150}, Point{120, 40}));
    RenderArea(out.view, picture.view, doc, out.view.Area(), nullptr);

    // Move the rectangle and resize the arrow; redraw where they were and are.
    std::vector<Rect> areas;
    ShapeAreas(*doc.Find(rect), areas);
    ShapeAreas(*doc.Find(arrow), areas);
    doc.Change(Moved(*doc.Find(rect), 37, 41));
    doc.Change(Resized(*doc.Find(arrow), kEnd, Point{20, 120}));
    ShapeAreas(*doc.Find(rect), areas);
    ShapeAreas(*doc.Find(arrow), areas);
    for (const Rect& a : areas) RenderArea(out.view, picture.view, doc, a, nullptr);
    RenderArea(whole.view, picture.view, doc, whole.view.Area(), nullptr);
    EXPECT_EQ(out.pixels, whole.pixels) << bottomUp;

    // Every shape undone and its areas redrawn: the picture, byte for byte.
    for (const Shape& s : doc.shapes()) ShapeAreas(s, areas);
    while (doc.Undo()) {
    }
    for (const Rect& a : areas) RenderArea(out.view, picture.view, doc, a, nullptr);
    EXPECT_EQ(out.pixels, picture.pixels) << bottomUp;
  }
}

// Texts and step numbers are drawn by the painter, in order, with their number.
TEST(MarkupRaster, PainterDrawsTextsAndNumbersInDrawingOrder) {
  struct Recorder : ITextPainter {
    std::vector<std::pair<std::string, int>> calls;
    void PaintText(const Shape& s, int n, const Rect&) override { calls.push_back({s.text, n}); }
  } painter;
  Picture picture(100, 100), out(picture, false);
  CMarkupDocument doc;
  doc.Add(NewShape(Tool::kStep, kRed, 2, Point{20, 20}, Point{20, 20}));
  Shape text = NewShape(Tool::kText, kRed, 2, Point{30, 30}, Point{30, 30});
  text.text = "标注";
  text.textWidth = 40;
  text.textHeight = 20;
  doc.Add(text);
  const uint32_t second = doc.Add(NewShape(Tool::kStep, kRed, 2, Point{60, 60}, Point{60, 60}));
  doc.Add(NewShape(Tool::kStep, kRed, 2, Point{80, 80}, Point{80, 80}));
  doc.Remove(second);
  RenderArea(out.view, picture.view, doc, out.view.Area(), &painter);
  const std::vector<std::pair<std::string, int>> expected{{"", 1}, {"标注", 0}, {"", 2}};
  EXPECT_EQ(painter.calls, expected);
  // The step's disc is its colour at its centre.
  EXPECT_EQ(out.view.At(20, 20) & 0xFFFFFF, kRed);
}

}  // namespace
