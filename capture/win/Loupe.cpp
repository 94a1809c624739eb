#include "capture/win/Loupe.h"

#include <algorithm>
#include <cstring>

#include "capture/LoupeGeometry.h"
#include "common/Text.h"
#include "win/Gdi.h"

namespace {
constexpr int kGap = 20;        // between the pointer and the loupe
constexpr int kPanelPad = 4;
constexpr COLORREF kPanel = RGB(32, 32, 32);
constexpr COLORREF kBorder = RGB(90, 90, 90);

uint32_t FromColorRef(COLORREF c) {
  return static_cast<uint32_t>(GetRValue(c)) << 16 | static_cast<uint32_t>(GetGValue(c)) << 8 | GetBValue(c);
}
}  // namespace

CLoupe::CLoupe(HDC source, POINT origin, int width, int height, HFONT font)
    : source_(source), origin_(origin), width_(width), height_(height), font_(font) {
  win::Select f(source_, font_);
  TEXTMETRICW tm{};
  if (GetTextMetricsW(source_, &tm)) line_ = tm.tmHeight + 2;
}

int CLoupe::Width() const { return loupe::kZoomSide + 2; }
int CLoupe::Height() const { return loupe::kZoomSide + 2 + 2 * line_ + 2 * kPanelPad; }

void CLoupe::Restore(HDC display, const Rect& r) const {
  BitBlt(display, r.left, r.top, r.Width(), r.Height(), source_, r.left - origin_.x, r.top - origin_.y, SRCCOPY);
}

std::vector<Rect> CLoupe::Show(HDC display, POINT pointer, const Rect& monitor, const Rect& avoid) {
  const int w = Width(), h = Height();
  const Rect at = loupe::Place(pointer.x, pointer.y, w, h, monitor, avoid, kGap);
  std::vector<Rect> uncovered;
  if (shown_) uncovered = loupe::Subtract(area_, at);
  for (const Rect& r : uncovered) Restore(display, r);
  pointer_ = pointer;
  const int bx = pointer.x - origin_.x, by = pointer.y - origin_.y;
  colour_ = bx >= 0 && by >= 0 && bx < width_ && by < height_ ? FromColorRef(GetPixel(source_, bx, by)) : 0;

  // Composed off the screen, then copied in one go.
  win::OwnedDc mem = win::OwnedDc::Compatible(display);
  win::Bitmap bitmap(CreateCompatibleBitmap(display, w, h));
  if (!mem || !bitmap) return uncovered;
  win::Select keep(mem, bitmap);
  win::Brush border(CreateSolidBrush(kBorder));
  RECT all{0, 0, w, h};
  FillRect(mem, &all, border);
  RECT zoom{1, 1, 1 + loupe::kZoomSide, 1 + loupe::kZoomSide};
  FillRect(mem, &zoom, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const Rect src = loupe::SourceRect(bx, by);
  const Rect clip{std::max(src.left, 0), std::max(src.top, 0), std::min(src.right, width_), std::min(src.bottom, height_)};
  if (clip.Width() > 0 && clip.Height() > 0) {
    SetStretchBltMode(mem, COLORONCOLOR);
    StretchBlt(mem, 1 + (clip.left - src.left) * loupe::kScale, 1 + (clip.top - src.top) * loupe::kScale,
               clip.Width() * loupe::kScale, clip.Height() * loupe::kScale, source_, clip.left, clip.top,
               clip.Width(), clip.Height(), SRCCOPY);
  }
  // The pointer's pixel, framed black and white so it shows on any colour.
  const int c0 = 1 + (loupe::kCells / 2) * loupe::kScale;
  RECT cell{c0 - 1, c0 - 1, c0 + loupe::kScale + 1, c0 + loupe::kScale + 1};
  FrameRect(mem, &cell, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  InflateRect(&cell, -1, -1);
  FrameRect(mem, &cell, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  win::Brush panel(CreateSolidBrush(kPanel));
  RECT p{1, zoom.bottom + 1, w - 1, h - 1};
  FillRect(mem, &p, panel);
  win::Select font(mem, font_);
  SetBkMode(mem, TRANSPARENT);
  SetTextColor(mem, RGB(255, 255, 255));
  RECT line1{p.left + kPanelPad, p.top + kPanelPad, p.right - kPanelPad, p.top + kPanelPad + line_};
  win::DrawText(mem, text::Format("%ld, %ld", pointer.x, pointer.y), line1, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  RECT swatch{line1.left, line1.bottom + 1, line1.left + line_ - 2, line1.bottom + line_ - 1};
  win::Brush fill(CreateSolidBrush(RGB((colour_ >> 16) & 0xFF, (colour_ >> 8) & 0xFF, colour_ & 0xFF)));
  FillRect(mem, &swatch, fill);
  FrameRect(mem, &swatch, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT line2{swatch.right + kPanelPad, line1.bottom, line1.right, line1.bottom + line_};
  win::DrawText(mem, loupe::HexText(colour_), line2, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);

  BitBlt(display, at.left, at.top, w, h, mem, 0, 0, SRCCOPY);
  area_ = at;
  shown_ = true;
  return uncovered;
}

void CLoupe::Hide(HDC display) {
  if (!shown_) return;
  Restore(display, area_);
  shown_ = false;
}

bool CopyTextToClipboard(HWND owner, const std::string& utf8) {
  const std::wstring w = text::Widen(utf8);
  const size_t bytes = (w.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!block) return false;
  if (void* p = GlobalLock(block)) {
    std::memcpy(p, w.c_str(), bytes);
    GlobalUnlock(block);
  }
  if (!OpenClipboard(owner)) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
  CloseClipboard();
  if (!placed) GlobalFree(block);
  return placed;
}
