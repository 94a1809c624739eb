// The shapes of the picture editor and their geometry: where each one draws,
// what a click at a point hits, its handles and how a handle drag resizes it.
// Coordinates are the picture's pixels; pixel (x, y) covers the square from
// (x, y) to (x + 1, y + 1), and a point given as a pixel stands for its centre.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/Rect.h"

namespace markup {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
  bool operator!=(const Point& o) const { return !(*this == o); }
};

// In the order of the editor's tool buttons.
enum class Tool { kRectangle, kEllipse, kArrow, kLine, kPen, kHighlighter, kText, kStep, kMosaic, kCrop };
constexpr int kToolCount = 10;

// The line widths the editor offers, and its defaults.
constexpr int kLineWidths[] = {1, 2, 4, 8};
constexpr uint32_t kDefaultColour = 0xFF0000;  // 0xRRGGBB
constexpr int kDefaultWidth = 2;
constexpr int kDefaultFontSize = 20;

struct Shape {
  uint32_t id = 0;  // given by the document; never 0 there
  Tool tool = Tool::kRectangle;
  uint32_t colour = kDefaultColour;  // 0xRRGGBB
  int width = kDefaultWidth;
  // Rectangle, ellipse, mosaic, crop: two opposite corners, both inside the
  // box. Arrow, line: start and end (the arrow's head). Pen, highlighter:
  // the stroke's points. Text: its box's top-left. Step: its centre.
  std::vector<Point> points;
  // Text only: what was typed (UTF-8), its font's pixel height, and the
  // size of its box as the text is drawn (measured where it is drawn).
  std::string text;
  int fontSize = kDefaultFontSize;
  int textWidth = 0;
  int textHeight = 0;
};

// The box of two corner points, both corners inside it.
Rect BoxOf(Point a, Point b);
// The box of a rectangle, ellipse, mosaic or crop; of a text, its text box.
Rect ShapeBox(const Shape& s);
// Every pixel the shape may change lies inside; empty for a crop, which
// changes no pixel.
Rect ShapeBounds(const Shape& s);
// Rectangles that together cover every pixel the shape may change: for an
// outline, its edges only, so that redrawing a large outline touches little.
void ShapeAreas(const Shape& s, std::vector<Rect>& out);

// Sizes that follow from the line width.
int ArrowHeadLength(int width);
int HighlighterWidth(int width);
int StepDiameter(int width);
int MosaicCell(int width);

// Whether a press at p (picture pixels) takes the shape: on its outline or
// stroke within tolerance pixels, anywhere inside a text box or a step's
// circle. A mosaic and a crop are taken by their edges only, so that shapes
// can be drawn over them.
bool HitTest(const Shape& s, Point p, int tolerance);

// Handles of a selected shape: the ends of a line or arrow, the eight points
// of the box of the others that can be resized; none for text and steps.
enum Handle { kNoHandle = -1, kTopLeft, kTop, kTopRight, kRight, kBottomRight, kBottom, kBottomLeft, kLeft, kStart, kEnd };
std::vector<std::pair<Handle, Point>> Handles(const Shape& s);
Handle HandleAt(const Shape& s, Point p, int tolerance);
// The shape with handle h dragged to p. A pen or highlighter stroke is
// scaled with its box.
Shape Resized(const Shape& s, Handle h, Point p);
Shape Moved(const Shape& s, int dx, int dy);

// The shape a drag of tool from a to b makes (a stroke grows by AddPoint).
Shape NewShape(Tool tool, uint32_t colour, int width, Point a, Point b);
// Adds the pointer's next position to a stroke; false when it is where the
// last one was.
bool AddPoint(Shape& stroke, Point p);
// Whether a drag made something worth keeping (not a click on the spot);
// text and steps are made by a click.
bool IsWorthKeeping(const Shape& s);

// Rectangle helpers.
bool IsEmpty(const Rect& r);
Rect Intersect(const Rect& a, const Rect& b);
Rect Union(const Rect& a, const Rect& b);
Rect Grow(const Rect& r, int d);
bool Contains(const Rect& r, Point p);

}  // namespace markup
