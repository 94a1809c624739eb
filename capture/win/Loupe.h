// The magnifier of the picking windows, drawn straight onto the display as
// the pick frames are and erased by copying the grabbed screen B back, so
// it is never in a picture (which is cut from B).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/Rect.h"

class CLoupe {
 public:
  // source: a DC holding B, whose top-left pixel is at origin on the
  // screen; font: the panel's text.
  CLoupe(HDC source, POINT origin, int width, int height, HFONT font);

  // Draws the loupe for the pointer beside it, inside monitor and clear of
  // avoid where it can be. Where it stood before and stands no longer is
  // copied back from B; those screen areas are returned, for frames drawn
  // there to be drawn again.
  std::vector<Rect> Show(HDC display, POINT pointer, const Rect& monitor, const Rect& avoid);
  // Copies B back over it.
  void Hide(HDC display);
  bool shown() const { return shown_; }
  const Rect& area() const { return area_; }
  // The colour under the pointer (0xRRGGBB), from B.
  uint32_t colour() const { return colour_; }
  POINT pointer() const { return pointer_; }
  // The loupe's size.
  int Width() const;
  int Height() const;

 private:
  void Restore(HDC display, const Rect& r) const;

  HDC source_;
  POINT origin_;
  int width_;
  int height_;
  HFONT font_;
  int line_ = 16;  // the panel's line height
  bool shown_ = false;
  Rect area_;
  uint32_t colour_ = 0;
  POINT pointer_{};
};

// Puts text on the clipboard as Unicode text; false when it could not.
bool CopyTextToClipboard(HWND owner, const std::string& utf8);
