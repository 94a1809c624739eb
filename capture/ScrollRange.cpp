#include "capture/ScrollRange.h"

#include <algorithm>

int ScrollRangeMax(int pictureSize, int clientSize) { return std::max(0, pictureSize - clientSize); }

int NextScrollPos(int code, int pos, int thumbPos, int rangeMax) {
  using namespace scrollcode;
  int next = pos;
  switch (code) {
    case kLineUp:
      if (pos > 0) next = pos - 1;
      break;
    case kLineDown:
      if (pos < rangeMax) next = pos + 1;
      break;
    case kPageUp:
      next = pos - 10;
      break;
    case kPageDown:
      next = pos + 10;
      break;
    case kThumbPosition:
      next = thumbPos;
      break;
    case kTop:
      next = 0;
      break;
    case kBottom:
      next = rangeMax;
      break;
    default:  // kThumbTrack, end of scrolling, unknown requests
      break;
  }
  return std::clamp(next, 0, std::max(0, rangeMax));
}

ImageViewBlit LayoutImageView(int pictureW, int pictureH, int clientW, int clientH, int hPos, int vPos) {
  ImageViewBlit b;
  b.srcX = pictureW < clientW ? 0 : hPos;
  b.srcY = pictureH < clientH ? 0 : vPos;
  if (pictureW < clientW) {
    b.blackRight = true;
    b.right = Rect{pictureW, 0, clientW, clientH};
  }
  if (pictureH < clientH) {
    b.blackBelow = true;
    b.below = Rect{0, pictureH, clientW, clientH};
  }
  return b;
}
