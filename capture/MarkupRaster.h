// Draws the editor's shapes into 32-bit pixels (a DIB's 0xAARRGGBB words).
// Rectangles are exact at every width; lines, arrows and pen strokes at 1
// and 2 pixels are drawn without smoothing, every pixel they touch exactly
// their colour; wider strokes, ellipses, steps and the highlighter are
// smoothed at their edges. A pixel no shape touches keeps its bytes, the
// fourth byte of touched ones too.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "capture/MarkupDocument.h"
#include "capture/MarkupShape.h"

namespace markup {

// Pixels of a picture: row y starts at top + y * stride (in pixels; negative
// for a bottom-up DIB, whose top row is stored last).
struct PixelView {
  uint32_t* top = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;
  uint32_t* Row(int y) const { return top + static_cast<std::ptrdiff_t>(y) * stride; }
  uint32_t& At(int x, int y) const { return Row(y)[x]; }
  Rect Area() const { return Rect{0, 0, width, height}; }
};

// Draws what needs fonts: a text shape's text, a step's number. Called in
// drawing order, with the clip the drawing must keep to; the pixels under
// the shape are already there.
class ITextPainter {
 public:
  virtual ~ITextPainter() = default;
  virtual void PaintText(const Shape& s, int stepNumber, const Rect& clip) = 0;
};

// The highlighter's share of its colour where it fully covers a pixel.
constexpr int kHighlighterAlpha = 102;  // of 255: 40 %

// Draws one shape into out within clip. picture is the unmarked picture of
// the same size (what a mosaic averages).
void RasterShape(const PixelView& out, const PixelView& picture, const Shape& s, const Rect& clip);

// Makes clip of out the picture with every shape of doc drawn over it, in
// order; painter (may be null) draws the texts.
void RenderArea(const PixelView& out, const PixelView& picture, const CMarkupDocument& doc, Rect clip,
                ITextPainter* painter);

// The average colour of the picture's pixels in r (clipped to the picture),
// each channel rounded: a mosaic cell.
uint32_t AverageColour(const PixelView& picture, const Rect& r);

}  // namespace markup
