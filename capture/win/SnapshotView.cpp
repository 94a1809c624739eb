#include "capture/win/SnapshotView.h"

#include <algorithm>

#include "capture/ScrollRange.h"
#include "common/win/SharedGdi.h"
#include "resources/capture_ids.h"

CSnapshotView::CSnapshotView() : Dialog(IDD_SNAPSHOT_VIEW) {}

BOOL CSnapshotView::OnInitDialog() {
  ResetScrolling();
  return TRUE;
}

void CSnapshotView::SetPicture(PicturePtr picture, int width, int height) {
  picture_ = std::move(picture);
  width_ = picture_ ? width : 0;
  height_ = picture_ ? height : 0;
  ResetScrolling();
  Invalidate(false);
}

void CSnapshotView::ResetScrolling() {
  if (!hwnd_ || resetting_) return;
  // Showing or hiding one bar changes the client size and so the other
  // bar's range; a few rounds settle it.
  resetting_ = true;
  for (int round = 0; round < 3; ++round) {
    RECT c = ClientRect();
    int hMax = ScrollRangeMax(width_, c.right - c.left);
    int vMax = ScrollRangeMax(height_, c.bottom - c.top);
    SetScrollRange(hwnd_, SB_HORZ, 0, hMax, FALSE);
    SetScrollRange(hwnd_, SB_VERT, 0, vMax, FALSE);
    SetScrollPos(hwnd_, SB_HORZ, 0, TRUE);
    SetScrollPos(hwnd_, SB_VERT, 0, TRUE);
    RECT after = ClientRect();
    if (after.right == c.right && after.bottom == c.bottom) break;
  }
  hPos_ = vPos_ = 0;
  resetting_ = false;
}

void CSnapshotView::OnSize(UINT type, int cx, int cy) {
  ResetScrolling();
  Invalidate(false);
}

void CSnapshotView::Scroll(int bar, int code) {
  int minPos = 0, maxPos = 0;
  GetScrollRange(hwnd_, bar, &minPos, &maxPos);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  GetScrollInfo(hwnd_, bar, &si);
  int& pos = bar == SB_HORZ ? hPos_ : vPos_;
  int next = NextScrollPos(code, pos, si.nTrackPos, maxPos);
  if (next == pos) return;
  pos = next;
  SetScrollPos(hwnd_, bar, pos, TRUE);
  Invalidate(false);
}

void CSnapshotView::OnHScroll(int code, int pos, HWND bar) { Scroll(SB_HORZ, code); }
void CSnapshotView::OnVScroll(int code, int pos, HWND bar) { Scroll(SB_VERT, code); }

void CSnapshotView::PaintContent(HDC dc, const RECT& client) {
  const int cw = client.right - client.left, ch = client.bottom - client.top;
  if (!picture_) {
    win::Select font(dc, shared_gdi::Font14(Dpi()));
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return;
  }
  ImageViewBlit blit = LayoutImageView(width_, height_, cw, ch, hPos_, vPos_);
  win::OwnedDc source = win::OwnedDc::Compatible(dc);
  {
    win::Select select(source, picture_->bitmap());
    BitBlt(dc, 0, 0, std::min(cw, width_ - blit.srcX), std::min(ch, height_ - blit.srcY), source, blit.srcX,
           blit.srcY, SRCCOPY);
  }
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  if (blit.blackRight) {
    RECT r{blit.right.left, blit.right.top, blit.right.right, blit.right.bottom};
    FillRect(dc, &r, black);
  }
  if (blit.blackBelow) {
    RECT r{blit.below.left, blit.below.top, blit.below.right, blit.below.bottom};
    FillRect(dc, &r, black);
  }
}

void CSnapshotView::OnPaint() {
  win::PaintDc dc(hwnd_);
  PaintContent(dc, ClientRect());
}

void CSnapshotView::OnDestroy() {
  picture_.reset();
  Default();
}
