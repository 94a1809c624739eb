#include "capture/win/MarkupCanvas.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "capture/ZoomSteps.h"
#include "common/Text.h"
#include "resources/markup_ids.h"

using markup::Point;
using markup::Shape;
using markup::Tool;

namespace {

const wchar_t kClass[] = L"brova.MarkupCanvas";
const wchar_t kTextFace[] = L"宋体";
constexpr COLORREF kOutside = RGB(128, 128, 128);  // around a picture smaller than the canvas
constexpr int kHandle96 = 7;                       // handle squares, pixels at 96 DPI
constexpr int kTolerance = 3;                      // how near a press must come, in screen pixels
constexpr int kWheelStep = 60;                     // pixels a wheel notch scrolls
constexpr int kTextPadding = 2;                    // around a text being typed

COLORREF ToColorRef(uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

bool IsBoxOrSegment(Tool t) {
  return t == Tool::kRectangle || t == Tool::kEllipse || t == Tool::kMosaic || t == Tool::kCrop ||
         t == Tool::kLine || t == Tool::kArrow;
}

// With Shift held: squares and circles, and lines at multiples of 45 degrees.
Point Constrained(Tool t, Point from, Point to) {
  const int dx = to.x - from.x, dy = to.y - from.y;
  if (t == Tool::kLine || t == Tool::kArrow) {
    if (std::abs(dx) > 2 * std::abs(dy)) return Point{to.x, from.y};
    if (std::abs(dy) > 2 * std::abs(dx)) return Point{from.x, to.y};
    const int d = std::max(std::abs(dx), std::abs(dy));
    return Point{from.x + (dx < 0 ? -d : d), from.y + (dy < 0 ? -d : d)};
  }
  const int d = std::max(std::abs(dx), std::abs(dy));
  return Point{from.x + (dx < 0 ? -d : d), from.y + (dy < 0 ? -d : d)};
}

}  // namespace

// Texts and step numbers, drawn with GDI straight into the marked-up
// picture's DIB.
class CMarkupTextPainter : public markup::ITextPainter {
 public:
  explicit CMarkupTextPainter(HDC dc) : dc_(dc) {}

  HFONT FontFor(int pixels, bool bold) {
    for (const auto& f : fonts_) {
      if (f.pixels == pixels && f.bold == bold) return f.font.get();
    }
    fonts_.push_back({pixels, bold,
                      win::Font(CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                            ANTIALIASED_QUALITY, DEFAULT_PITCH, kTextFace))});
    return fonts_.back().font.get();
  }

  // The box a text takes when drawn at pixels.
  SIZE Measure(const std::string& utf8, int pixels) {
    win::Select font(dc_, FontFor(pixels, false));
    RECT r{0, 0, 0, 0};
    std::wstring w = text::Widen(utf8.empty() ? " " : utf8);
    DrawTextW(dc_, w.c_str(), static_cast<int>(w.size()), &r, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    return SIZE{r.right - r.left, r.bottom - r.top};
  }

  void PaintText(const Shape& s, int stepNumber, const Rect& clip) override {
    const int saved = SaveDC(dc_);
    IntersectClipRect(dc_, clip.left, clip.top, clip.right, clip.bottom);
    SetBkMode(dc_, TRANSPARENT);
    const Rect box = markup::ShapeBox(s);
    RECT r{box.left, box.top, box.right, box.bottom};
    if (s.tool == Tool::kStep) {
      // White on the disc, black on a light one.
      const int r8 = (s.colour >> 16) & 0xFF, g8 = (s.colour >> 8) & 0xFF, b8 = s.colour & 0xFF;
      const bool light = r8 * 299 + g8 * 587 + b8 * 114 > 160000;
      SetTextColor(dc_, light ? RGB(0, 0, 0) : RGB(255, 255, 255));
      SelectObject(dc_, FontFor(markup::StepDiameter(s.width) * 3 / 5, true));
      DrawTextW(dc_, std::to_wstring(stepNumber).c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    } else if (!s.text.empty()) {
      SetTextColor(dc_, ToColorRef(s.colour));
      SelectObject(dc_, FontFor(s.fontSize, false));
      win::DrawText(dc_, s.text, r, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_EXPANDTABS | DT_NOCLIP);
    }
    RestoreDC(dc_, saved);
    GdiFlush();  // the next shape writes the pixels directly
  }

 private:
  struct CachedFont {
    int pixels;
    bool bold;
    win::Font font;
  };
  HDC dc_;
  std::vector<CachedFont> fonts_;
};

CMarkupCanvas::CMarkupCanvas() = default;

CMarkupCanvas::~CMarkupCanvas() {
  if (hwnd()) DestroyWindow(hwnd());
}

bool CMarkupCanvas::Create(HWND parent, int id, PicturePtr picture) {
  if (!picture || picture->width() <= 0 || picture->height() <= 0) return false;
  picture_ = std::move(picture);
  const int w = picture_->width(), h = picture_->height();
  CCapturePicture::File file;
  if (picture_->GetFile(file)) {
    // The picture's own bottom-up rows.
    auto* rows = const_cast<uint32_t*>(reinterpret_cast<const uint32_t*>(file.rows));
    original_ = markup::PixelView{rows + static_cast<size_t>(h - 1) * w, w, h, -static_cast<std::ptrdiff_t>(w)};
  } else {
    ownPixels_.assign(static_cast<size_t>(w) * h, 0);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    win::WindowDc screen(nullptr);
    if (GetDIBits(screen, picture_->bitmap(), 0, static_cast<UINT>(h), ownPixels_.data(), &info, DIB_RGB_COLORS) == 0)
      return false;
    original_ = markup::PixelView{ownPixels_.data(), w, h, w};
  }
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  win::WindowDc screen(nullptr);
  compositeBitmap_.reset(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  compositeDc_ = win::OwnedDc::Compatible(screen);
  if (!compositeBitmap_ || !bits || !compositeDc_) return false;
  compositeOld_ = SelectObject(compositeDc_, compositeBitmap_);
  auto* rows = static_cast<uint32_t*>(bits);
  composite_ = markup::PixelView{rows + static_cast<size_t>(h - 1) * w, w, h, -static_cast<std::ptrdiff_t>(w)};
  for (int y = 0; y < h; ++y) std::memcpy(composite_.Row(y), original_.Row(y), static_cast<size_t>(w) * 4);
  painter_ = std::make_unique<CMarkupTextPainter>(compositeDc_.get());
  textBrush_.reset(CreateSolidBrush(RGB(255, 255, 255)));

  RegisterClass(kClass, CS_DBLCLKS, nullptr, nullptr, LoadCursorW(nullptr, IDC_CROSS));
  if (!Window::Create(0, kClass, "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN, 0, 0, 0, 0,
                      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))))
    return false;
  UpdateScrollBars();
  return true;
}

void CMarkupCanvas::OnDestroy() {
  if (compositeDc_ && compositeOld_) SelectObject(compositeDc_, compositeOld_);
  Default();
}

// Picture and client coordinates.

Point CMarkupCanvas::ToPicture(POINT c) const {
  return Point{static_cast<int>(std::floor((c.x + scrollX_) / zoom_)),
               static_cast<int>(std::floor((c.y + scrollY_) / zoom_))};
}

RECT CMarkupCanvas::ToClient(const Rect& r) const {
  return RECT{static_cast<LONG>(std::floor(r.left * zoom_)) - scrollX_,
              static_cast<LONG>(std::floor(r.top * zoom_)) - scrollY_,
              static_cast<LONG>(std::ceil(r.right * zoom_)) - scrollX_,
              static_cast<LONG>(std::ceil(r.bottom * zoom_)) - scrollY_};
}

int CMarkupCanvas::Tolerance() const {
  return std::max(1, static_cast<int>(std::ceil(Px(kTolerance) / zoom_)));
}

// Drawing.

// Areas that overlap mostly (a shape's pieces where it was and where it is
// after a move of a few pixels) are drawn once, as their union.
static std::vector<Rect> MergeAreas(const std::vector<Rect>& areas) {
  auto size = [](const Rect& r) { return static_cast<long long>(r.Width()) * r.Height(); };
  std::vector<Rect> out;
  for (const Rect& a : areas) {
    if (markup::IsEmpty(a)) continue;
    bool merged = false;
    for (Rect& o : out) {
      const Rect u = markup::Union(o, a);
      if (size(u) * 4 <= (size(o) + size(a)) * 5) {
        o = u;
        merged = true;
        break;
      }
    }
    if (!merged) out.push_back(a);
  }
  return out;
}

void CMarkupCanvas::Redraw(const std::vector<Rect>& pieces) {
  for (const Rect& a : MergeAreas(pieces)) {
    const Rect clipped = markup::Intersect(a, composite_.Area());
    if (markup::IsEmpty(clipped)) continue;
    markup::RenderArea(composite_, original_, doc_, clipped, painter_.get());
    RECT c = ToClient(clipped);
    InflateRect(&c, 1, 1);
    InvalidateRect(hwnd_, &c, FALSE);
  }
}

void CMarkupCanvas::RedrawShape(const Shape* s, std::vector<Rect>& areas) const {
  if (s) markup::ShapeAreas(*s, areas);
}

void CMarkupCanvas::RedrawAll() {
  Redraw({composite_.Area()});
  Invalidate(false);
}

RECT CMarkupCanvas::SelectionArea() const {
  const Shape* s = doc_.Find(selected_);
  if (!s) return RECT{};
  Rect box = markup::ShapeBox(*s);
  if (s->tool == Tool::kLine || s->tool == Tool::kArrow) box = markup::BoxOf(s->points[0], s->points[1]);
  RECT r = ToClient(box);
  const int reach = Px(kHandle96) + 2;
  InflateRect(&r, reach, reach);
  return r;
}

void CMarkupCanvas::Select(uint32_t id) {
  if (id == selected_) return;
  RECT before = SelectionArea();
  InvalidateRect(hwnd_, &before, FALSE);
  selected_ = id;
  RECT after = SelectionArea();
  InvalidateRect(hwnd_, &after, FALSE);
  Changed();
}

void CMarkupCanvas::Changed() {
  if (onChange_) onChange_();
}

void CMarkupCanvas::PaintPicture(HDC dc, const RECT& r) {
  const int contentW = static_cast<int>(std::ceil(composite_.width * zoom_)) - scrollX_;
  const int contentH = static_cast<int>(std::ceil(composite_.height * zoom_)) - scrollY_;
  win::Brush outside(CreateSolidBrush(kOutside));
  // Around the picture.
  if (r.right > contentW) {
    RECT o{std::max<LONG>(r.left, contentW), r.top, r.right, r.bottom};
    FillRect(dc, &o, outside);
  }
  if (r.bottom > contentH) {
    RECT o{r.left, std::max<LONG>(r.top, contentH), std::min<LONG>(r.right, contentW), r.bottom};
    FillRect(dc, &o, outside);
  }
  RECT p{r.left, r.top, std::min<LONG>(r.right, contentW), std::min<LONG>(r.bottom, contentH)};
  if (p.right <= p.left || p.bottom <= p.top) return;
  if (zoom_ == 1.0) {
    BitBlt(dc, p.left, p.top, p.right - p.left, p.bottom - p.top, compositeDc_, p.left + scrollX_, p.top + scrollY_,
           SRCCOPY);
    return;
  }
  // The picture pixels that cover p, stretched onto where they go.
  const Point a = ToPicture(POINT{p.left, p.top});
  const Point b = ToPicture(POINT{p.right - 1, p.bottom - 1});
  const Rect src = markup::Intersect(Rect{a.x, a.y, b.x + 1, b.y + 1}, composite_.Area());
  const RECT dst = ToClient(src);
  SetStretchBltMode(dc, zoom_ < 1.0 ? HALFTONE : COLORONCOLOR);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top, compositeDc_, src.left, src.top,
             src.Width(), src.Height(), SRCCOPY);
}

void CMarkupCanvas::PaintOverlay(HDC dc) {
  // Outside a crop the picture shows dimmed: every other pixel black.
  if (auto crop = doc_.CropBox()) {
    static const WORD checker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    win::Bitmap pattern(CreateBitmap(8, 8, 1, 1, checker));
    win::Brush dim(CreatePatternBrush(pattern));
    const RECT all = ToClient(composite_.Area());
    const RECT c = ToClient(markup::Intersect(*crop, composite_.Area()));
    const RECT parts[4] = {{all.left, all.top, all.right, c.top},
                           {all.left, c.bottom, all.right, all.bottom},
                           {all.left, c.top, c.left, c.bottom},
                           {c.right, c.top, all.right, c.bottom}};
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    win::Select brush(dc, dim);
    for (const RECT& part : parts) {
      if (part.right > part.left && part.bottom > part.top)
        PatBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, 0x00A000C9);  // DPa
    }
  }
  const Shape* s = doc_.Find(selected_);
  if (!s || drag_ != Drag::kNone) return;
  win::Pen dashed(CreatePen(PS_DOT, 1, RGB(0, 120, 215)));
  win::Select pen(dc, dashed);
  win::Select hollow(dc, GetStockObject(NULL_BRUSH));
  SetBkColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, OPAQUE);
  const auto handles = markup::Handles(*s);
  if (s->tool != Tool::kLine && s->tool != Tool::kArrow) {
    RECT r = ToClient(markup::ShapeBox(*s));
    InflateRect(&r, 1, 1);
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
  }
  win::Brush face(CreateSolidBrush(RGB(255, 255, 255)));
  win::Brush edge(CreateSolidBrush(RGB(0, 120, 215)));
  const int half = Px(kHandle96) / 2;
  for (const auto& h : handles) {
    RECT c = ToClient(Rect{h.second.x, h.second.y, h.second.x + 1, h.second.y + 1});
    const int cx = (c.left + c.right) / 2, cy = (c.top + c.bottom) / 2;
    RECT sq{cx - half, cy - half, cx + half + 1, cy + half + 1};
    FillRect(dc, &sq, face);
    FrameRect(dc, &sq, edge);
  }
}

void CMarkupCanvas::OnPaint() {
  win::Region update(CreateRectRgn(0, 0, 0, 0));
  const int kind = GetUpdateRgn(hwnd_, update, FALSE);
  std::vector<RECT> rects;
  if (kind == COMPLEXREGION) {
    const DWORD size = GetRegionData(update, 0, nullptr);
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (size && GetRegionData(update, size, data)) {
      const RECT* r = reinterpret_cast<const RECT*>(data->Buffer);
      // Copied piece by piece: their frame may be the whole canvas.
      if (data->rdh.nCount <= 2048) rects.assign(r, r + data->rdh.nCount);
    }
  }
  win::PaintDc dc(hwnd_);
  if (rects.empty()) rects.push_back(dc.paint().rcPaint);
  for (const RECT& r : rects) PaintPicture(dc, r);
  PaintOverlay(dc);
}

// Scrolling and zoom.

void CMarkupCanvas::UpdateScrollBars() {
  const RECT c = ClientRect();
  const int contentW = static_cast<int>(std::ceil(composite_.width * zoom_));
  const int contentH = static_cast<int>(std::ceil(composite_.height * zoom_));
  scrollX_ = std::clamp(scrollX_, 0, std::max(0, contentW - static_cast<int>(c.right)));
  scrollY_ = std::clamp(scrollY_, 0, std::max(0, contentH - static_cast<int>(c.bottom)));
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, contentW - 1,
                static_cast<UINT>(c.right), scrollX_, 0};
  SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
  si.nMax = contentH - 1;
  si.nPage = static_cast<UINT>(c.bottom);
  si.nPos = scrollY_;
  SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
}

void CMarkupCanvas::ScrollTo(int x, int y) {
  const int oldX = scrollX_, oldY = scrollY_;
  scrollX_ = x;
  scrollY_ = y;
  UpdateScrollBars();
  if (scrollX_ == oldX && scrollY_ == oldY) return;
  LayoutTextEdit();
  Invalidate(false);
}

void CMarkupCanvas::Scroll(int bar, int code, int thumb) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd_, bar, &si);
  int pos = si.nPos;
  const int line = Px(20), page = static_cast<int>(si.nPage);
  switch (code) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  if (bar == SB_HORZ)
    ScrollTo(pos, scrollY_);
  else
    ScrollTo(scrollX_, pos);
}

void CMarkupCanvas::OnHScroll(int code, int pos, HWND bar) { Scroll(SB_HORZ, code, pos); }
void CMarkupCanvas::OnVScroll(int code, int pos, HWND bar) { Scroll(SB_VERT, code, pos); }

void CMarkupCanvas::OnSize(UINT type, int cx, int cy) {
  UpdateScrollBars();
  Invalidate(false);
}

void CMarkupCanvas::SetZoom(double zoom, POINT about) {
  zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  if (zoom == zoom_) return;
  const double px = (about.x + scrollX_) / zoom_, py = (about.y + scrollY_) / zoom_;
  zoom_ = zoom;
  scrollX_ = static_cast<int>(std::lround(px * zoom_ - about.x));
  scrollY_ = static_cast<int>(std::lround(py * zoom_ - about.y));
  UpdateScrollBars();
  LayoutTextEdit();
  Invalidate(false);
  Changed();
}

void CMarkupCanvas::SetZoom(double zoom) { SetZoom(zoom, POINT{0, 0}); }

// The tools.

void CMarkupCanvas::SetTool(Tool tool) {
  FinishEditing();
  tool_ = tool;
  Select(0);
  Changed();
}

void CMarkupCanvas::SetColour(uint32_t rgb) {
  colour_ = rgb & 0xFFFFFF;
  if (textEdit_) InvalidateRect(textEdit_, nullptr, TRUE);
  if (const Shape* s = doc_.Find(selected_)) {
    if (s->tool != Tool::kMosaic && s->tool != Tool::kCrop) {
      Shape changed = *s;
      changed.colour = colour_;
      if (doc_.Change(changed)) {
        std::vector<Rect> areas;
        RedrawShape(doc_.Find(selected_), areas);
        Redraw(areas);
      }
    }
  }
  Changed();
}

void CMarkupCanvas::SetLineWidth(int width) {
  width_ = width;
  if (const Shape* s = doc_.Find(selected_)) {
    if (s->tool != Tool::kText && s->tool != Tool::kCrop) {
      std::vector<Rect> areas;
      RedrawShape(s, areas);
      Shape changed = *s;
      changed.width = width_;
      if (doc_.Change(changed)) {
        RedrawShape(doc_.Find(selected_), areas);
        Redraw(areas);
        RECT sel = SelectionArea();
        InvalidateRect(hwnd_, &sel, FALSE);
      }
    }
  }
  Changed();
}

void CMarkupCanvas::SetFontSize(int pixels) {
  fontSize_ = pixels;
  if (textEdit_) {
    textFont_.reset();
    SendMessageW(textEdit_, WM_SETFONT, reinterpret_cast<WPARAM>(TextFont(fontSize_)), TRUE);
    LayoutTextEdit();
  } else if (const Shape* s = doc_.Find(selected_)) {
    if (s->tool == Tool::kText) {
      std::vector<Rect> areas;
      RedrawShape(s, areas);
      Shape changed = *s;
      changed.fontSize = pixels;
      const SIZE size = painter_->Measure(changed.text, pixels);
      changed.textWidth = size.cx;
      changed.textHeight = size.cy;
      if (doc_.Change(changed)) {
        RedrawShape(doc_.Find(selected_), areas);
        Redraw(areas);
        Invalidate(false);
      }
    }
  }
  Changed();
}

bool CMarkupCanvas::Undo() {
  FinishEditing();
  std::vector<Rect> areas;
  for (const Shape& s : doc_.shapes()) markup::ShapeAreas(s, areas);
  const bool crop = doc_.CropBox().has_value();
  if (!doc_.Undo()) return false;
  for (const Shape& s : doc_.shapes()) markup::ShapeAreas(s, areas);
  Redraw(areas);
  if (crop || doc_.CropBox()) Invalidate(false);
  if (!doc_.Find(selected_)) selected_ = 0;
  Invalidate(false);
  Changed();
  return true;
}

bool CMarkupCanvas::Redo() {
  FinishEditing();
  std::vector<Rect> areas;
  for (const Shape& s : doc_.shapes()) markup::ShapeAreas(s, areas);
  if (!doc_.Redo()) return false;
  for (const Shape& s : doc_.shapes()) markup::ShapeAreas(s, areas);
  Redraw(areas);
  if (!doc_.Find(selected_)) selected_ = 0;
  Invalidate(false);
  Changed();
  return true;
}

bool CMarkupCanvas::DeleteSelection() {
  const Shape* s = doc_.Find(selected_);
  if (!s || drag_ != Drag::kNone) return false;
  std::vector<Rect> areas;
  RedrawShape(s, areas);
  const bool steps = s->tool == Tool::kStep;
  const bool crop = s->tool == Tool::kCrop;
  RECT sel = SelectionArea();
  doc_.Remove(selected_);
  selected_ = 0;
  // Later steps count down: their numbers change.
  if (steps)
    for (const Shape& other : doc_.shapes())
      if (other.tool == Tool::kStep) markup::ShapeAreas(other, areas);
  Redraw(areas);
  InvalidateRect(hwnd_, &sel, FALSE);
  if (crop) Invalidate(false);
  Changed();
  return true;
}

void CMarkupCanvas::FinishEditing() {
  if (textEdit_) CommitText();
  if (drag_ != Drag::kNone) EndDrag(true);
}

// The mouse.

void CMarkupCanvas::ShowPreview(const Shape& s) {
  std::vector<Rect> areas;
  const Shape* before = doc_.Find(s.id);
  const bool growing = drag_ == Drag::kDraw && before && (s.tool == Tool::kPen || s.tool == Tool::kHighlighter) &&
                       s.points.size() == before->points.size() + 1;
  if (growing) {
    // A stroke only grows: only its new piece is new.
    markup::Shape piece = s;
    piece.points = {before->points.back(), s.points.back()};
    markup::ShapeAreas(piece, areas);
  } else {
    RedrawShape(before, areas);
    markup::ShapeAreas(s, areas);
  }
  const bool crop = s.tool == Tool::kCrop;
  doc_.Preview(s);
  Redraw(areas);
  if (crop) Invalidate(false);
}

void CMarkupCanvas::EndDrag(bool keep) {
  if (drag_ == Drag::kNone) return;
  const Drag was = drag_;
  drag_ = Drag::kNone;
  if (GetCapture() == hwnd_) ReleaseCapture();
  std::vector<Rect> areas;
  RedrawShape(doc_.Find(dragId_), areas);
  const bool crop = doc_.Find(dragId_) && doc_.Find(dragId_)->tool == Tool::kCrop;
  if (keep)
    doc_.CommitPreview();
  else
    doc_.CancelPreview();
  RedrawShape(doc_.Find(dragId_), areas);
  Redraw(areas);
  if (crop) Invalidate(false);
  if (was != Drag::kDraw && doc_.Find(dragId_)) selected_ = dragId_;
  RECT sel = SelectionArea();
  InvalidateRect(hwnd_, &sel, FALSE);
  Changed();
}

void CMarkupCanvas::OnLButtonDown(UINT flags, POINT pt) {
  SetFocus(hwnd_);
  if (textEdit_) {
    CommitText();  // the press only ends the typing
    return;
  }
  if (drag_ != Drag::kNone) EndDrag(true);
  const Point p = ToPicture(pt);
  const int tol = Tolerance();
  if (const Shape* sel = doc_.Find(selected_)) {
    const markup::Handle h = markup::HandleAt(*sel, p, tol + Px(kHandle96) / 2);
    if (h != markup::kNoHandle) {
      drag_ = Drag::kResize;
      dragHandle_ = h;
      dragShape_ = *sel;
      dragId_ = sel->id;
      dragFrom_ = p;
      SetCapture(hwnd_);
      Invalidate(false);
      return;
    }
  }
  if (const uint32_t hit = doc_.HitShape(p, tol)) {
    const Shape* s = doc_.Find(hit);
    if (tool_ == Tool::kText && s->tool == Tool::kText) {
      Select(0);
      StartText(s->points[0], s);
      return;
    }
    Select(hit);
    drag_ = Drag::kMove;
    dragShape_ = *s;
    dragId_ = hit;
    dragFrom_ = p;
    SetCapture(hwnd_);
    RECT sel = SelectionArea();
    InvalidateRect(hwnd_, &sel, FALSE);
    return;
  }
  Select(0);
  if (tool_ == Tool::kText) {
    StartText(p, nullptr);
    return;
  }
  Shape s = markup::NewShape(tool_, colour_, width_, p, p);
  if (tool_ == Tool::kStep) {
    const uint32_t id = doc_.Add(s);
    std::vector<Rect> areas;
    RedrawShape(doc_.Find(id), areas);
    Redraw(areas);
    Changed();
    return;
  }
  drag_ = Drag::kDraw;
  dragFrom_ = p;
  dragId_ = doc_.Preview(s);
  s.id = dragId_;
  dragShape_ = s;
  SetCapture(hwnd_);
  ShowPreview(s);
  Changed();
}

void CMarkupCanvas::OnMouseMove(UINT flags, POINT pt) {
  if (drag_ == Drag::kNone) return;
  Point p = ToPicture(pt);
  const Shape* now = doc_.Find(dragId_);
  if (!now) return;
  Shape s = *now;
  switch (drag_) {
    case Drag::kDraw:
      if (IsBoxOrSegment(s.tool)) {
        if (s.tool == Tool::kMosaic || s.tool == Tool::kCrop) {
          p.x = std::clamp(p.x, 0, composite_.width - 1);
          p.y = std::clamp(p.y, 0, composite_.height - 1);
        }
        if (flags & MK_SHIFT) p = Constrained(s.tool, dragFrom_, p);
        if (s.points[1] == p) return;
        s.points[1] = p;
      } else if (!markup::AddPoint(s, p)) {
        return;
      }
      break;
    case Drag::kMove:
      s = markup::Moved(dragShape_, p.x - dragFrom_.x, p.y - dragFrom_.y);
      break;
    case Drag::kResize:
      s = markup::Resized(dragShape_, dragHandle_, p);
      break;
    case Drag::kNone:
      return;
  }
  ShowPreview(s);
}

void CMarkupCanvas::OnLButtonUp(UINT flags, POINT pt) {
  if (drag_ == Drag::kNone) return;
  OnMouseMove(flags, pt);
  EndDrag(true);
}

void CMarkupCanvas::OnLButtonDblClk(UINT flags, POINT pt) {
  // A double click on a text types into it again, whatever the tool.
  const uint32_t hit = doc_.HitShape(ToPicture(pt), Tolerance());
  const Shape* s = doc_.Find(hit);
  if (s && s->tool == Tool::kText) {
    if (drag_ != Drag::kNone) EndDrag(false);
    Select(0);
    StartText(s->points[0], s);
    return;
  }
  OnLButtonDown(flags, pt);
}

void CMarkupCanvas::OnRButtonDown(UINT flags, POINT pt) {
  if (drag_ != Drag::kNone) EndDrag(false);
}

void CMarkupCanvas::UpdateCursor(POINT c) {
  const Point p = ToPicture(c);
  const wchar_t* cursor = tool_ == Tool::kText ? IDC_IBEAM : IDC_CROSS;
  if (const Shape* sel = doc_.Find(selected_)) {
    switch (markup::HandleAt(*sel, p, Tolerance() + Px(kHandle96) / 2)) {
      case markup::kTopLeft:
      case markup::kBottomRight: cursor = IDC_SIZENWSE; break;
      case markup::kTopRight:
      case markup::kBottomLeft: cursor = IDC_SIZENESW; break;
      case markup::kTop:
      case markup::kBottom: cursor = IDC_SIZENS; break;
      case markup::kLeft:
      case markup::kRight: cursor = IDC_SIZEWE; break;
      case markup::kStart:
      case markup::kEnd: cursor = IDC_SIZEALL; break;
      case markup::kNoHandle: break;
    }
  }
  if (cursor == IDC_CROSS || cursor == IDC_IBEAM) {
    if (doc_.HitShape(p, Tolerance())) cursor = IDC_SIZEALL;
  }
  SetCursor(LoadCursorW(nullptr, cursor));
}

// Text typed in place.

HFONT CMarkupCanvas::TextFont(int pixels) const {
  if (!textFont_) {
    const int scaled = std::max(1, static_cast<int>(std::lround(pixels * zoom_)));
    textFont_.reset(CreateFontW(-scaled, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, kTextFace));
  }
  return textFont_.get();
}

void CMarkupCanvas::StartText(Point at, const Shape* existing) {
  textAt_ = at;
  textShape_ = existing ? existing->id : 0;
  std::string initial;
  if (existing) {
    initial = existing->text;
    colour_ = existing->colour;
    fontSize_ = existing->fontSize;
    // Hidden while it is typed again.
    std::vector<Rect> areas;
    RedrawShape(existing, areas);
    Shape hidden = *existing;
    hidden.text.clear();
    doc_.Preview(hidden);
    Redraw(areas);
  }
  textFont_.reset();
  textEdit_ = CreateWindowExW(0, L"EDIT", text::Widen(initial).c_str(),
                              WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL, 0,
                              0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MARKUP_TEXT_EDIT)),
                              GetModuleHandleW(nullptr), nullptr);
  if (!textEdit_) {
    if (existing) doc_.CancelPreview();
    return;
  }
  SendMessageW(textEdit_, WM_SETFONT, reinterpret_cast<WPARAM>(TextFont(fontSize_)), FALSE);
  SendMessageW(textEdit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  LayoutTextEdit();
  SetFocus(textEdit_);
  SendMessageW(textEdit_, EM_SETSEL, 0, -1);
  Changed();
}

void CMarkupCanvas::LayoutTextEdit() {
  if (!textEdit_) return;
  std::string typed = win::TextOf(textEdit_);
  // A line more than typed, so the caret has room on a new line.
  const int scaled = std::max(1, static_cast<int>(std::lround(fontSize_ * zoom_)));
  SIZE size = painter_->Measure(typed + "  ", scaled);
  if (!typed.empty() && typed.back() == '\n') size.cy += scaled;
  RECT at = ToClient(Rect{textAt_.x, textAt_.y, textAt_.x + 1, textAt_.y + 1});
  const int pad = kTextPadding;
  MoveWindow(textEdit_, at.left - pad - 1, at.top - pad - 1, size.cx + 2 * pad + 2, size.cy + 2 * pad + 2, TRUE);
  SendMessageW(textEdit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(pad, pad));
  RECT fmt{pad, pad, size.cx + pad, size.cy + pad};
  SendMessageW(textEdit_, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&fmt));
}

void CMarkupCanvas::CommitText() {
  if (!textEdit_) return;
  std::string typed = win::TextOf(textEdit_);
  // The edit control keeps lines as CR LF; the shape keeps them as LF.
  std::string text;
  for (char c : typed)
    if (c != '\r') text += c;
  HWND edit = textEdit_;
  textEdit_ = nullptr;
  DestroyWindow(edit);
  SetFocus(hwnd_);

  std::vector<Rect> areas;
  Shape s = markup::NewShape(Tool::kText, colour_, width_, textAt_, textAt_);
  s.text = text;
  s.fontSize = fontSize_;
  const SIZE size = painter_->Measure(text, fontSize_);
  s.textWidth = size.cx;
  s.textHeight = size.cy;
  if (textShape_) {
    const Shape* old = doc_.Find(textShape_);
    if (old) {
      s.id = textShape_;
      s.width = old->width;
      if (text.empty()) {
        doc_.CancelPreview();
        RedrawShape(doc_.Find(textShape_), areas);
        doc_.Remove(textShape_);
      } else {
        doc_.Preview(s);
        doc_.CommitPreview();
        RedrawShape(doc_.Find(textShape_), areas);
      }
    }
  } else if (!text.empty()) {
    const uint32_t id = doc_.Add(s);
    RedrawShape(doc_.Find(id), areas);
  }
  textShape_ = 0;
  Redraw(areas);
  Changed();
}

HBRUSH CMarkupCanvas::OnCtlColor(HDC dc, HWND control, int type) {
  if (control != textEdit_) return nullptr;
  SetTextColor(dc, ToColorRef(colour_));
  SetBkColor(dc, RGB(255, 255, 255));
  return textBrush_.get();
}

bool CMarkupCanvas::OnCommand(int id, int code, HWND control) {
  if (id == IDC_MARKUP_TEXT_EDIT && code == EN_CHANGE) {
    LayoutTextEdit();
    return true;
  }
  return Window::OnCommand(id, code, control);
}

// The result.

Rect CMarkupCanvas::ResultRect() const {
  const Rect all = composite_.Area();
  auto crop = doc_.CropBox();
  if (!crop) return all;
  const Rect r = markup::Intersect(*crop, all);
  return markup::IsEmpty(r) ? all : r;
}

PicturePtr CMarkupCanvas::Result() {
  FinishEditing();
  GdiFlush();
  const Rect r = ResultRect();
  win::WindowDc screen(nullptr);
  PicturePtr out = CCapturePicture::Make(screen, r.Width(), r.Height());
  if (!out) return nullptr;
  win::OwnedDc dc = win::OwnedDc::Compatible(screen);
  win::Select select(dc, out->bitmap());
  if (!BitBlt(dc, 0, 0, r.Width(), r.Height(), compositeDc_, r.left, r.top, SRCCOPY)) return nullptr;
  GdiFlush();
  return out;
}

POINT CMarkupCanvas::ResultScreenOrigin() const {
  const Rect r = ResultRect();
  const RECT c = ToClient(r);
  POINT p{c.left, c.top};
  ClientToScreen(hwnd_, &p);
  return p;
}

LRESULT CMarkupCanvas::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT && reinterpret_cast<HWND>(wp) == hwnd_ && drag_ == Drag::kNone) {
        POINT c;
        GetCursorPos(&c);
        ScreenToClient(hwnd_, &c);
        UpdateCursor(c);
        return TRUE;
      }
      break;
    case WM_CAPTURECHANGED:
      if (drag_ != Drag::kNone && reinterpret_cast<HWND>(lp) != hwnd_) EndDrag(true);
      return 0;
    case WM_MOUSEWHEEL: {
      const int delta = GET_WHEEL_DELTA_WPARAM(wp);
      const int notches = delta / WHEEL_DELTA != 0 ? delta / WHEEL_DELTA : (delta > 0 ? 1 : -1);
      if (GET_KEYSTATE_WPARAM(wp) & MK_CONTROL) {
        POINT c{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ScreenToClient(hwnd_, &c);
        SetZoom(zoom_steps::Next(zoom_, notches), c);
      } else if (GET_KEYSTATE_WPARAM(wp) & MK_SHIFT) {
        ScrollTo(scrollX_ - notches * Px(kWheelStep), scrollY_);
      } else {
        ScrollTo(scrollX_, scrollY_ - notches * Px(kWheelStep));
      }
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
  }
  return Window::WindowProc(msg, wp, lp);
}
