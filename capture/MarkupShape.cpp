#include "capture/MarkupShape.h"

#include <algorithm>
#include <cmath>

namespace markup {
namespace {

// Dirty areas of a long line are cut into pieces about this long.
constexpr int kAreaPiece = 32;

bool IsBoxTool(Tool t) {
  return t == Tool::kRectangle || t == Tool::kEllipse || t == Tool::kMosaic || t == Tool::kCrop;
}
bool IsStroke(Tool t) { return t == Tool::kPen || t == Tool::kHighlighter; }
bool IsSegment(Tool t) { return t == Tool::kLine || t == Tool::kArrow; }

Rect PointsBox(const std::vector<Point>& points) {
  if (points.empty()) return Rect{};
  Rect r{points[0].x, points[0].y, points[0].x + 1, points[0].y + 1};
  for (const Point& p : points) r = Union(r, Rect{p.x, p.y, p.x + 1, p.y + 1});
  return r;
}

// Half the width of the ink of a line-like shape, rounded up, plus a pixel
// for the smoothing at its edge.
int InkReach(const Shape& s) {
  switch (s.tool) {
    case Tool::kArrow:
      return std::max(ArrowHeadLength(s.width) / 2, s.width) + 2;
    case Tool::kHighlighter:
      return HighlighterWidth(s.width) / 2 + 2;
    default:
      return s.width / 2 + 2;
  }
}

double DistanceToSegment(double px, double py, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const double qx = a.x + t * dx - px, qy = a.y + t * dy - py;
  return std::sqrt(qx * qx + qy * qy);
}

double DistanceToPolyline(const std::vector<Point>& pts, double px, double py) {
  if (pts.empty()) return 1e18;
  if (pts.size() == 1) return DistanceToSegment(px, py, pts[0], pts[0]);
  double best = 1e18;
  for (size_t i = 1; i < pts.size(); ++i) best = std::min(best, DistanceToSegment(px, py, pts[i - 1], pts[i]));
  return best;
}

// Pieces of the segment a-b, each grown by reach.
void SegmentAreas(Point a, Point b, int reach, std::vector<Rect>& out) {
  const int steps = std::max(1, std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)) / kAreaPiece);
  Point prev = a;
  for (int i = 1; i <= steps; ++i) {
    Point next{a.x + (b.x - a.x) * i / steps, a.y + (b.y - a.y) * i / steps};
    out.push_back(Grow(BoxOf(prev, next), reach));
    prev = next;
  }
}

int Round(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (IsEmpty(r)) return Rect{};
  return r;
}

Rect Union(const Rect& a, const Rect& b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

Rect Grow(const Rect& r, int d) { return Rect{r.left - d, r.top - d, r.right + d, r.bottom + d}; }

bool Contains(const Rect& r, Point p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

Rect BoxOf(Point a, Point b) {
  return Rect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
}

int ArrowHeadLength(int width) { return std::max(10, 4 * width + 6); }
int HighlighterWidth(int width) { return std::max(8, 6 * width); }
int StepDiameter(int width) { return 16 + 4 * width; }
int MosaicCell(int width) { return 4 + 4 * width; }

Rect ShapeBox(const Shape& s) {
  if (s.points.empty()) return Rect{};
  const Point p = s.points[0];
  if (IsBoxTool(s.tool)) return BoxOf(p, s.points.size() > 1 ? s.points[1] : p);
  if (s.tool == Tool::kText) return Rect{p.x, p.y, p.x + s.textWidth, p.y + s.textHeight};
  if (s.tool == Tool::kStep) {
    const int d = StepDiameter(s.width);
    return Rect{p.x - d / 2, p.y - d / 2, p.x - d / 2 + d, p.y - d / 2 + d};
  }
  return PointsBox(s.points);
}

Rect ShapeBounds(const Shape& s) {
  switch (s.tool) {
    case Tool::kCrop:
      return Rect{};
    case Tool::kRectangle:
    case Tool::kEllipse:
    case Tool::kMosaic:
      return ShapeBox(s);
    case Tool::kText:
      return Grow(ShapeBox(s), 2);  // a glyph may reach a little past its cell
    case Tool::kStep:
      return Grow(ShapeBox(s), 1);
    default:
      return Grow(PointsBox(s.points), InkReach(s));
  }
}

void ShapeAreas(const Shape& s, std::vector<Rect>& out) {
  const Rect box = ShapeBox(s);
  if (s.tool == Tool::kRectangle && box.Width() > 2 * s.width && box.Height() > 2 * s.width) {
    const int w = s.width;
    out.push_back(Rect{box.left, box.top, box.right, box.top + w});
    out.push_back(Rect{box.left, box.bottom - w, box.right, box.bottom});
    out.push_back(Rect{box.left, box.top + w, box.left + w, box.bottom - w});
    out.push_back(Rect{box.right - w, box.top + w, box.right, box.bottom - w});
    return;
  }
  if (s.tool == Tool::kEllipse && box.Width() > 2 * s.width + 4 && box.Height() > 2 * s.width + 4) {
    // Bands of rows; in each, the ring's left and right parts.
    const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    const double a = box.Width() / 2.0, b = box.Height() / 2.0;
    const double ia = a - s.width, ib = b - s.width;
    for (int y0 = box.top; y0 < box.bottom; y0 += kAreaPiece) {
      const int y1 = std::min(box.bottom, y0 + kAreaPiece);
      // The outer chord is widest at the band's row nearest the centre, the
      // inner one narrowest at the row farthest from it.
      const double nearDy = (y0 <= cy && cy <= y1) ? 0 : std::min(std::abs(y0 - cy), std::abs(y1 - cy));
      const double farDy = std::max(std::abs(y0 - cy), std::abs(y1 - cy));
      const double outer = a * std::sqrt(std::max(0.0, 1 - (nearDy / b) * (nearDy / b)));
      const double inner = farDy < ib ? ia * std::sqrt(std::max(0.0, 1 - (farDy / ib) * (farDy / ib))) : 0;
      const int ol = static_cast<int>(std::floor(cx - outer)) - 1, orr = static_cast<int>(std::ceil(cx + outer)) + 1;
      const int il = static_cast<int>(std::ceil(cx - inner)) + 1, ir = static_cast<int>(std::floor(cx + inner)) - 1;
      if (inner <= 2 || il >= ir) {
        out.push_back(Intersect(box, Rect{ol, y0, orr, y1}));
      } else {
        out.push_back(Intersect(box, Rect{ol, y0, il, y1}));
        out.push_back(Intersect(box, Rect{ir, y0, orr, y1}));
      }
    }
    return;
  }
  if (IsSegment(s.tool) || IsStroke(s.tool)) {
    const int reach = s.tool == Tool::kArrow ? s.width / 2 + 2 : InkReach(s);
    if (s.points.size() == 1) out.push_back(Grow(BoxOf(s.points[0], s.points[0]), reach));
    for (size_t i = 1; i < s.points.size(); ++i) SegmentAreas(s.points[i - 1], s.points[i], reach, out);
    if (s.tool == Tool::kArrow && s.points.size() == 2) {
      const Point tip = s.points[1];
      out.push_back(Grow(BoxOf(tip, tip), ArrowHeadLength(s.width) + 2));
    }
    return;
  }
  const Rect bounds = ShapeBounds(s);
  if (!IsEmpty(bounds)) out.push_back(bounds);
}

bool HitTest(const Shape& s, Point p, int tolerance) {
  const double px = p.x, py = p.y;
  const Rect box = ShapeBox(s);
  switch (s.tool) {
    case Tool::kRectangle:
    case Tool::kMosaic:
    case Tool::kCrop: {
      const int band = s.tool == Tool::kRectangle ? s.width : 1;
      const Rect outer = Grow(box, tolerance);
      const Rect inner = Grow(box, -(band + tolerance));
      return Contains(outer, p) && !(Contains(inner, p) && !IsEmpty(inner));
    }
    case Tool::kEllipse: {
      const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
      const double a = box.Width() / 2.0, b = box.Height() / 2.0;
      const double dx = px + 0.5 - cx, dy = py + 0.5 - cy;
      const double dist = std::sqrt(dx * dx + dy * dy);
      const double r = std::sqrt((dx / a) * (dx / a) + (dy / b) * (dy / b));
      if (r == 0) return std::min(a, b) <= s.width + tolerance;
      const double edge = dist / r;  // where the ray from the centre leaves the ellipse
      return dist <= edge + tolerance && dist >= edge - s.width - tolerance;
    }
    case Tool::kText:
      return Contains(Grow(box, tolerance), p);
    case Tool::kStep: {
      const double c = StepDiameter(s.width) / 2.0;
      const double dx = px + 0.5 - (box.left + c), dy = py + 0.5 - (box.top + c);
      return std::sqrt(dx * dx + dy * dy) <= c + tolerance;
    }
    case Tool::kArrow:
      if (s.points.size() == 2 &&
          DistanceToSegment(px, py, s.points[1], s.points[1]) <= ArrowHeadLength(s.width) / 2.0 + tolerance)
        return true;
      return DistanceToPolyline(s.points, px, py) <= s.width / 2.0 + tolerance;
    case Tool::kLine:
    case Tool::kPen:
      return DistanceToPolyline(s.points, px, py) <= s.width / 2.0 + tolerance;
    case Tool::kHighlighter:
      return DistanceToPolyline(s.points, px, py) <= HighlighterWidth(s.width) / 2.0 + tolerance;
  }
  return false;
}

std::vector<std::pair<Handle, Point>> Handles(const Shape& s) {
  std::vector<std::pair<Handle, Point>> out;
  if (IsSegment(s.tool)) {
    if (s.points.size() == 2) {
      out.push_back({kStart, s.points[0]});
      out.push_back({kEnd, s.points[1]});
    }
    return out;
  }
  if (!IsBoxTool(s.tool) && !IsStroke(s.tool)) return out;
  const Rect b = ShapeBox(s);
  const int l = b.left, t = b.top, r = b.right - 1, bt = b.bottom - 1;
  const int mx = (l + r) / 2, my = (t + bt) / 2;
  out = {{kTopLeft, {l, t}},   {kTop, {mx, t}},         {kTopRight, {r, t}},    {kRight, {r, my}},
         {kBottomRight, {r, bt}}, {kBottom, {mx, bt}}, {kBottomLeft, {l, bt}}, {kLeft, {l, my}}};
  return out;
}

Handle HandleAt(const Shape& s, Point p, int tolerance) {
  for (const auto& h : Handles(s)) {
    if (std::abs(h.second.x - p.x) <= tolerance && std::abs(h.second.y - p.y) <= tolerance) return h.first;
  }
  return kNoHandle;
}

Shape Resized(const Shape& s, Handle h, Point p) {
  Shape out = s;
  if (IsSegment(s.tool)) {
    if (h == kStart && !out.points.empty()) out.points[0] = p;
    if (h == kEnd && out.points.size() > 1) out.points[1] = p;
    return out;
  }
  if (!IsBoxTool(s.tool) && !IsStroke(s.tool)) return out;
  const Rect b = ShapeBox(s);
  int l = b.left, t = b.top, r = b.right - 1, bt = b.bottom - 1;
  if (h == kTopLeft || h == kLeft || h == kBottomLeft) l = p.x;
  if (h == kTopRight || h == kRight || h == kBottomRight) r = p.x;
  if (h == kTopLeft || h == kTop || h == kTopRight) t = p.y;
  if (h == kBottomLeft || h == kBottom || h == kBottomRight) bt = p.y;
  if (IsBoxTool(s.tool)) {
    out.points = {Point{l, t}, Point{r, bt}};
    return out;
  }
  // A stroke: every point keeps its place relative to the box.
  const int ow = b.right - 1 - b.left, oh = b.bottom - 1 - b.top;
  for (Point& q : out.points) {
    q.x = ow > 0 ? l + Round(static_cast<double>(q.x - b.left) * (r - l) / ow) : q.x + (l - b.left);
    q.y = oh > 0 ? t + Round(static_cast<double>(q.y - b.top) * (bt - t) / oh) : q.y + (t - b.top);
  }
  return out;
}

Shape Moved(const Shape& s, int dx, int dy) {
  Shape out = s;
  for (Point& q : out.points) {
    q.x += dx;
    q.y += dy;
  }
  return out;
}

Shape NewShape(Tool tool, uint32_t colour, int width, Point a, Point b) {
  Shape s;
  s.tool = tool;
  s.colour = colour & 0xFFFFFF;
  s.width = width;
  if (IsBoxTool(tool) || IsSegment(tool)) {
    s.points = {a, b};
  } else {
    s.points = {a};
    if (IsStroke(tool) && b != a) s.points.push_back(b);
  }
  return s;
}

bool AddPoint(Shape& stroke, Point p) {
  if (!stroke.points.empty() && stroke.points.back() == p) return false;
  stroke.points.push_back(p);
  return true;
}

bool IsWorthKeeping(const Shape& s) {
  if (s.points.empty()) return false;
  switch (s.tool) {
    case Tool::kText:
      return !s.text.empty();
    case Tool::kStep:
    case Tool::kPen:
    case Tool::kHighlighter:
      return true;
    case Tool::kMosaic:
    case Tool::kCrop: {
      const Rect b = ShapeBox(s);
      return b.Width() >= 2 && b.Height() >= 2;
    }
    default:
      return s.points.size() > 1 && s.points[0] != s.points[1];
  }
}

}  // namespace markup
