#include "capture/MarkupRaster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace markup {
namespace {

// Smoothed edges are sampled on this many rows a pixel; across a row the
// covered share of each pixel is exact.
constexpr int kSubRows = 4;

constexpr uint32_t kAlphaByte = 0xFF000000u;

void Put(const PixelView& out, int x, int y, uint32_t colour) {
  uint32_t& p = out.At(x, y);
  p = (p & kAlphaByte) | colour;
}

// colour over the pixel with weight a of 255.
void Blend(uint32_t& p, uint32_t colour, int a) {
  if (a <= 0) return;
  if (a >= 255) {
    p = (p & kAlphaByte) | colour;
    return;
  }
  uint32_t r = p & kAlphaByte;
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = static_cast<int>((p >> shift) & 0xFF), s = static_cast<int>((colour >> shift) & 0xFF);
    const int v = d + ((s - d) * a + (s >= d ? 127 : -127)) / 255;
    r |= static_cast<uint32_t>(v) << shift;
  }
  p = r;
}

// A line of pixels from a to b, both ends included, without smoothing; a
// 2-pixel line adds the pixel below (mostly horizontal) or to the right
// (mostly vertical) of each.
void ThinLine(const PixelView& out, const Rect& clip, Point a, Point b, int width, uint32_t colour) {
  const int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
  const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
  const bool horizontal = dx >= -dy;
  // Skip the pixels of a long line that lie wholly outside the clip.
  const Rect reach = Grow(clip, 1);
  int err = dx + dy, x = a.x, y = a.y;
  for (;;) {
    if (Contains(reach, Point{x, y})) {
      if (Contains(clip, Point{x, y})) Put(out, x, y, colour);
      if (width > 1) {
        const Point q = horizontal ? Point{x, y + 1} : Point{x + 1, y};
        if (Contains(clip, q)) Put(out, q.x, q.y, colour);
      }
    }
    if (x == b.x && y == b.y) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

// The share of pixel x's column span [x, x + 1) that [from, to) covers.
inline double Overlap(int x, double from, double to) {
  return std::max(0.0, std::min(to, x + 1.0) - std::max(from, static_cast<double>(x)));
}

// Adds share times the coverage of [from, to) to the row's pixels.
void AddSpan(std::vector<double>& row, int left, double from, double to, double share) {
  if (to <= from) return;
  const int x0 = std::max(left, static_cast<int>(std::floor(from)));
  const int x1 = std::min(left + static_cast<int>(row.size()), static_cast<int>(std::ceil(to)));
  for (int x = x0; x < x1; ++x) row[static_cast<size_t>(x - left)] += share * Overlap(x, from, to);
}

// A row of coverage over [clip.left, clip.right) at a time, blended as it
// is made. fill(y, row) adds (or takes the most of) the shape's coverage.
template <class Fill>
void BlendRows(const PixelView& out, const Rect& area, uint32_t colour, int alpha, Fill fill) {
  if (IsEmpty(area)) return;
  std::vector<double> row(static_cast<size_t>(area.Width()));
  for (int y = area.top; y < area.bottom; ++y) {
    std::fill(row.begin(), row.end(), 0.0);
    fill(y, row);
    uint32_t* line = out.Row(y);
    for (int x = area.left; x < area.right; ++x) {
      const double c = std::min(1.0, row[static_cast<size_t>(x - area.left)]);
      if (c > 0) Blend(line[x], colour, static_cast<int>(std::lround(c * alpha)));
    }
  }
}

struct Segment {
  double ax, ay, bx, by;
};

// Coverage of round-capped segments of radius r (pixel centres as points):
// the most any one of them gives, so a stroke over itself stays even.
void CapsuleRow(const std::vector<Segment>& segs, double r, int y, std::vector<double>& row, int left) {
  const int right = left + static_cast<int>(row.size());
  for (const Segment& s : segs) {
    if (y < std::min(s.ay, s.by) - r - 1 || y > std::max(s.ay, s.by) + r + 1) continue;
    double lo = std::min(s.ax, s.bx) - r - 1, hi = std::max(s.ax, s.bx) + r + 1;
    const double dx = s.bx - s.ax, dy = s.by - s.ay;
    const double len2 = dx * dx + dy * dy;
    if (std::abs(dy) > 1e-9) {
      const double xc = s.ax + (y - s.ay) * dx / dy;
      const double half = (r + 1) * std::sqrt(len2) / std::abs(dy);
      lo = std::max(lo, xc - half);
      hi = std::min(hi, xc + half);
    }
    const int x0 = std::max(left, static_cast<int>(std::floor(lo)));
    const int x1 = std::min(right - 1, static_cast<int>(std::ceil(hi)));
    for (int x = x0; x <= x1; ++x) {
      double t = len2 > 0 ? ((x - s.ax) * dx + (y - s.ay) * dy) / len2 : 0;
      t = std::clamp(t, 0.0, 1.0);
      const double qx = s.ax + t * dx - x, qy = s.ay + t * dy - y;
      const double c = std::clamp(r + 0.5 - std::sqrt(qx * qx + qy * qy), 0.0, 1.0);
      double& v = row[static_cast<size_t>(x - left)];
      v = std::max(v, c);
    }
  }
}

std::vector<Segment> SegmentsOf(const std::vector<Point>& pts) {
  std::vector<Segment> segs;
  if (pts.size() == 1) segs.push_back({double(pts[0].x), double(pts[0].y), double(pts[0].x), double(pts[0].y)});
  for (size_t i = 1; i < pts.size(); ++i)
    segs.push_back({double(pts[i - 1].x), double(pts[i - 1].y), double(pts[i].x), double(pts[i].y)});
  return segs;
}

// The span of a convex polygon (continuous coordinates) on the row line y.
bool PolygonSpan(const std::vector<std::pair<double, double>>& poly, double y, double& from, double& to) {
  from = 1e18;
  to = -1e18;
  for (size_t i = 0; i < poly.size(); ++i) {
    const auto& p = poly[i];
    const auto& q = poly[(i + 1) % poly.size()];
    if ((p.second <= y && q.second > y) || (q.second <= y && p.second > y)) {
      const double x = p.first + (y - p.second) * (q.first - p.first) / (q.second - p.second);
      from = std::min(from, x);
      to = std::max(to, x);
    }
  }
  return from <= to;
}

// The arrow's head: tip, and the two corners of its base, in continuous
// coordinates; the shaft ends at shaftEnd (pixel index) inside the head.
struct ArrowHead {
  std::vector<std::pair<double, double>> triangle;
  Point shaftEnd;
  double shaftEndX = 0, shaftEndY = 0;
};
ArrowHead HeadOf(const Shape& s) {
  ArrowHead h;
  const Point a = s.points[0], b = s.points[1];
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len = std::sqrt(dx * dx + dy * dy);
  const double ux = len > 0 ? dx / len : 1, uy = len > 0 ? dy / len : 0;
  const double length = std::min<double>(ArrowHeadLength(s.width), len);
  const double half = length * 0.4 + s.width / 2.0;
  const double tx = b.x + 0.5, ty = b.y + 0.5;
  const double bx = tx - ux * length, by = ty - uy * length;
  h.triangle = {{tx, ty}, {bx - uy * half, by + ux * half}, {bx + uy * half, by - ux * half}};
  h.shaftEndX = b.x - ux * length * 0.5;
  h.shaftEndY = b.y - uy * length * 0.5;
  h.shaftEnd = Point{static_cast<int>(std::lround(h.shaftEndX)), static_cast<int>(std::lround(h.shaftEndY))};
  return h;
}

void RasterArrow(const PixelView& out, const Shape& s, const Rect& area) {
  if (s.points.size() < 2 || s.points[0] == s.points[1]) return;
  const ArrowHead head = HeadOf(s);
  if (s.width <= 2) {
    ThinLine(out, area, s.points[0], head.shaftEnd, s.width, s.colour);
    // The head: every pixel whose centre lies inside it.
    for (int y = area.top; y < area.bottom; ++y) {
      double from, to;
      if (!PolygonSpan(head.triangle, y + 0.5, from, to)) continue;
      const int x0 = std::max(area.left, static_cast<int>(std::ceil(from - 0.5)));
      const int x1 = std::min(area.right - 1, static_cast<int>(std::floor(to - 0.5)));
      for (int x = x0; x <= x1; ++x) Put(out, x, y, s.colour);
    }
    return;
  }
  const std::vector<Segment> shaft{{double(s.points[0].x), double(s.points[0].y), head.shaftEndX, head.shaftEndY}};
  BlendRows(out, area, s.colour, 255, [&](int y, std::vector<double>& row) {
    CapsuleRow(shaft, s.width / 2.0, y, row, area.left);
    std::vector<double> tri(row.size(), 0.0);
    for (int k = 0; k < kSubRows; ++k) {
      double from, to;
      if (PolygonSpan(head.triangle, y + (k + 0.5) / kSubRows, from, to))
        AddSpan(tri, area.left, from, to, 1.0 / kSubRows);
    }
    for (size_t i = 0; i < row.size(); ++i) row[i] = std::max(row[i], tri[i]);
  });
}

// An ellipse filling the box, less the ellipse width pixels inside it
// (none when width is 0: a disc).
void RasterEllipse(const PixelView& out, const Rect& box, int width, uint32_t colour, const Rect& area) {
  const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
  const double a = box.Width() / 2.0, b = box.Height() / 2.0;
  const double ia = a - width, ib = b - width;
  const bool ring = width > 0 && ia > 0 && ib > 0;
  BlendRows(out, area, colour, 255, [&](int y, std::vector<double>& row) {
    for (int k = 0; k < kSubRows; ++k) {
      const double sy = y + (k + 0.5) / kSubRows - cy;
      if (std::abs(sy) >= b) continue;
      const double outer = a * std::sqrt(1 - (sy / b) * (sy / b));
      if (ring && std::abs(sy) < ib) {
        const double inner = ia * std::sqrt(1 - (sy / ib) * (sy / ib));
        AddSpan(row, area.left, cx - outer, cx - inner, 1.0 / kSubRows);
        AddSpan(row, area.left, cx + inner, cx + outer, 1.0 / kSubRows);
      } else {
        AddSpan(row, area.left, cx - outer, cx + outer, 1.0 / kSubRows);
      }
    }
  });
}

void FillRect(const PixelView& out, const Rect& r, uint32_t colour) {
  for (int y = r.top; y < r.bottom; ++y) {
    uint32_t* line = out.Row(y);
    for (int x = r.left; x < r.right; ++x) line[x] = (line[x] & kAlphaByte) | colour;
  }
}

void RasterRectangle(const PixelView& out, const Shape& s, const Rect& area) {
  const Rect box = ShapeBox(s);
  const int w = s.width;
  const Rect edges[4] = {{box.left, box.top, box.right, box.top + w},
                         {box.left, box.bottom - w, box.right, box.bottom},
                         {box.left, box.top, box.left + w, box.bottom},
                         {box.right - w, box.top, box.right, box.bottom}};
  for (const Rect& e : edges) FillRect(out, Intersect(Intersect(e, box), area), s.colour);
}

void RasterMosaic(const PixelView& out, const PixelView& picture, const Shape& s, const Rect& area) {
  const Rect box = Intersect(ShapeBox(s), picture.Area());
  const int cell = MosaicCell(s.width);
  // Cells lie on the picture's grid, so two mosaics side by side agree.
  auto down = [cell](int v) { return v >= 0 ? v / cell * cell : -((-v + cell - 1) / cell) * cell; };
  for (int y = down(area.top); y < area.bottom; y += cell) {
    for (int x = down(area.left); x < area.right; x += cell) {
      const Rect c = Intersect(Rect{x, y, x + cell, y + cell}, box);
      const Rect painted = Intersect(c, area);
      if (IsEmpty(painted)) continue;
      FillRect(out, painted, AverageColour(picture, c));
    }
  }
}

void RasterStroke(const PixelView& out, const Shape& s, const Rect& area, double width, int alpha) {
  // Only the pieces of a long stroke that reach the area.
  std::vector<Segment> segs = SegmentsOf(s.points);
  const double reach = width / 2 + 1;
  segs.erase(std::remove_if(segs.begin(), segs.end(),
                            [&](const Segment& g) {
                              return std::max(g.ax, g.bx) + reach < area.left ||
                                     std::min(g.ax, g.bx) - reach > area.right ||
                                     std::max(g.ay, g.by) + reach < area.top ||
                                     std::min(g.ay, g.by) - reach > area.bottom;
                            }),
             segs.end());
  if (segs.empty()) return;
  BlendRows(out, area, s.colour, alpha,
            [&](int y, std::vector<double>& row) { CapsuleRow(segs, width / 2.0, y, row, area.left); });
}

void RasterPolyline(const PixelView& out, const Shape& s, const Rect& area) {
  if (s.width > 2) {
    RasterStroke(out, s, area, s.width, 255);
    return;
  }
  if (s.points.size() == 1) ThinLine(out, area, s.points[0], s.points[0], s.width, s.colour);
  for (size_t i = 1; i < s.points.size(); ++i) {
    const Rect seg = Grow(BoxOf(s.points[i - 1], s.points[i]), 2);
    if (!IsEmpty(Intersect(seg, area))) ThinLine(out, area, s.points[i - 1], s.points[i], s.width, s.colour);
  }
}

}  // namespace

uint32_t AverageColour(const PixelView& picture, const Rect& r) {
  const Rect c = Intersect(r, picture.Area());
  if (IsEmpty(c)) return 0;
  uint64_t sum[3] = {0, 0, 0};
  for (int y = c.top; y < c.bottom; ++y) {
    const uint32_t* line = picture.Row(y);
    for (int x = c.left; x < c.right; ++x) {
      sum[0] += line[x] & 0xFF;
      sum[1] += (line[x] >> 8) & 0xFF;
      sum[2] += (line[x] >> 16) & 0xFF;
    }
  }
  const uint64_t n = static_cast<uint64_t>(c.Width()) * static_cast<uint64_t>(c.Height());
  return static_cast<uint32_t>((sum[0] + n / 2) / n) | static_cast<uint32_t>((sum[1] + n / 2) / n) << 8 |
         static_cast<uint32_t>((sum[2] + n / 2) / n) << 16;
}

void RasterShape(const PixelView& out, const PixelView& picture, const Shape& s, const Rect& clip) {
  const Rect area = Intersect(Intersect(clip, out.Area()), ShapeBounds(s));
  if (IsEmpty(area) || s.points.empty()) return;
  switch (s.tool) {
    case Tool::kRectangle:
      RasterRectangle(out, s, area);
      break;
    case Tool::kEllipse:
      RasterEllipse(out, ShapeBox(s), s.width, s.colour, area);
      break;
    case Tool::kArrow:
      RasterArrow(out, s, area);
      break;
    case Tool::kLine:
    case Tool::kPen:
      RasterPolyline(out, s, area);
      break;
    case Tool::kHighlighter:
      RasterStroke(out, s, area, HighlighterWidth(s.width), kHighlighterAlpha);
      break;
    case Tool::kStep:
      RasterEllipse(out, ShapeBox(s), 0, s.colour, area);
      break;
    case Tool::kMosaic:
      RasterMosaic(out, picture, s, area);
      break;
    case Tool::kText:
    case Tool::kCrop:
      break;
  }
}

void RenderArea(const PixelView& out, const PixelView& picture, const CMarkupDocument& doc, Rect clip,
                ITextPainter* painter) {
  clip = Intersect(Intersect(clip, out.Area()), picture.Area());
  if (IsEmpty(clip)) return;
  const size_t bytes = static_cast<size_t>(clip.Width()) * sizeof(uint32_t);
  for (int y = clip.top; y < clip.bottom; ++y) std::memcpy(out.Row(y) + clip.left, picture.Row(y) + clip.left, bytes);
  int steps = 0;
  for (const Shape& s : doc.shapes()) {
    if (s.tool == Tool::kStep) ++steps;
    const Rect area = Intersect(clip, ShapeBounds(s));
    if (IsEmpty(area)) continue;
    RasterShape(out, picture, s, area);
    if (painter && (s.tool == Tool::kText || s.tool == Tool::kStep))
      painter->PaintText(s, s.tool == Tool::kStep ? steps : 0, area);
  }
}

}  // namespace markup
