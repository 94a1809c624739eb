#include "common/RectCover.h"

#include <algorithm>

int CRectCover::Push(int x, int y, int width, int height) {
  if (inputCount_ >= kMaxInputs) return 1;
  inputs_[inputCount_++] = Rect{x, y, x + width, y + height};
  return 0;
}

bool CRectCover::InsideHole(const Rect& cell) const {
  for (int h = 1; h < inputCount_; ++h) {
    const Rect& hole = inputs_[h];
    if (cell.left >= hole.left && cell.right <= hole.right && cell.top >= hole.top && cell.bottom <= hole.bottom)
      return true;
  }
  return false;
}

void CRectCover::Compute() {
  const int edges = 2 * inputCount_;
  for (int i = 0; i < inputCount_; ++i) {
    xs_[2 * i] = inputs_[i].left;
    xs_[2 * i + 1] = inputs_[i].right;
    ys_[2 * i] = inputs_[i].top;
    ys_[2 * i + 1] = inputs_[i].bottom;
  }
  std::sort(xs_, xs_ + edges);
  std::sort(ys_, ys_ + edges);

  // Cells column by column, top to bottom within a column. Cells outside the
  // area (rectangle 0) are kept: only holes remove cells.
  int cells = 0;
  for (int k = 0; k + 1 < edges; ++k) {
    for (int m = 0; m + 1 < edges; ++m) {
      Rect cell{xs_[k], ys_[m], xs_[k + 1], ys_[m + 1]};
      if (cell.Width() == 0 || cell.Height() == 0 || InsideHole(cell)) continue;
      cover_[cells++] = cell;
    }
  }

  bool removed[kMaxCells] = {};
  // Stacked cells of one column join the first of them; A grows while the
  // later cells are scanned, so a whole run joins in one pass.
  for (int a = 0; a < cells; ++a) {
    if (removed[a]) continue;
    Rect& A = cover_[a];
    for (int b = a + 1; b < cells; ++b) {
      const Rect& B = cover_[b];
      if (!removed[b] && A.left == B.left && A.right == B.right && A.bottom == B.top) {
        A.bottom = B.bottom;
        removed[b] = true;
      }
    }
  }
  // Then side-by-side strips of equal height.
  for (int a = 0; a < cells; ++a) {
    if (removed[a]) continue;
    Rect& A = cover_[a];
    for (int b = a + 1; b < cells; ++b) {
      const Rect& B = cover_[b];
      if (!removed[b] && A.top == B.top && A.bottom == B.bottom && A.right == B.left) {
        A.right = B.right;
        removed[b] = true;
      }
    }
  }

  coverCount_ = 0;
  for (int i = 0; i < cells; ++i)
    if (!removed[i]) cover_[coverCount_++] = cover_[i];
}
