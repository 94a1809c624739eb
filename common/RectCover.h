// An area minus a few child rectangles, as a short list of rectangles that
// cover the rest: a window copies its off-screen background only there, so
// its child controls do not flicker. Fixed arrays, no allocation.
#pragma once
#include "common/Rect.h"

class CRectCover {
 public:
  static constexpr int kMaxInputs = 10;
  // The edges of 10 rectangles make at most 19 x 19 grid cells.
  static constexpr int kMaxCells = (2 * kMaxInputs - 1) * (2 * kMaxInputs - 1);

  void Clear() { inputCount_ = 0; }
  // The first rectangle is the area, the later ones are holes. Returns 0, or 1
  // (and stores nothing) when the set is full.
  int Push(int x, int y, int width, int height);
  void Compute();
  // The cover, valid until the next Compute.
  const Rect* GetCover(int* count) const {
    if (count) *count = coverCount_;
    return cover_;
  }
  int CoverCount() const { return coverCount_; }

 private:
  bool InsideHole(const Rect& cell) const;

  int inputCount_ = 0;
  Rect inputs_[kMaxInputs];
  int xs_[2 * kMaxInputs] = {};
  int ys_[2 * kMaxInputs] = {};
  int coverCount_ = 0;
  Rect cover_[kMaxCells];
};
