// Scrolling of the capture result's image view, one axis at a time.
#pragma once
#include "common/Rect.h"

// Scroll-bar request codes, with the values of the Win32 SB_* constants
// (SB_LINELEFT = SB_LINEUP and so on).
namespace scrollcode {
constexpr int kLineUp = 0;
constexpr int kLineDown = 1;
constexpr int kPageUp = 2;
constexpr int kPageDown = 3;
constexpr int kThumbPosition = 4;
constexpr int kThumbTrack = 5;
constexpr int kTop = 6;
constexpr int kBottom = 7;
}  // namespace scrollcode

// The range runs from 0 to this: max(0, picture - client).
int ScrollRangeMax(int pictureSize, int clientSize);

// The position after a request, clamped to 0..rangeMax. A line step moves by
// 1, a page by 10; a thumb drag changes nothing until the thumb is released.
int NextScrollPos(int code, int pos, int thumbPos, int rangeMax);

// What painting copies: the picture from (srcX, srcY) onto the whole client,
// and black strips where the picture is smaller than the client.
struct ImageViewBlit {
  int srcX = 0;
  int srcY = 0;
  bool blackRight = false;
  Rect right;  // x from the picture width on
  bool blackBelow = false;
  Rect below;  // y from the picture height on
};
ImageViewBlit LayoutImageView(int pictureW, int pictureH, int clientW, int clientH, int hPos, int vPos);
