// The picture editor's canvas: the picture with its shapes, drawn with the
// mouse. The marked-up picture is one DIB the size of the picture, kept up
// to date area by area: a change redraws only the pixels it touches (from
// the unmarked picture, then every shape there) and repaints only those on
// the screen. At 100 % the canvas's client pixel (x, y) is the picture's
// pixel (x, y) once it is scrolled to its top-left.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "capture/MarkupDocument.h"
#include "capture/MarkupRaster.h"
#include "capture/win/CapturePicture.h"
#include "win/Gdi.h"
#include "win/Window.h"

class CMarkupTextPainter;

class CMarkupCanvas : public win::Window {
 public:
  static constexpr double kMinZoom = 0.1;
  static constexpr double kMaxZoom = 8.0;

  CMarkupCanvas();
  ~CMarkupCanvas() override;

  // Takes the picture; false when its pixels cannot be had.
  bool Create(HWND parent, int id, PicturePtr picture);

  void SetTool(markup::Tool tool);
  markup::Tool tool() const { return tool_; }
  // Also given to the selected shape, as one step.
  void SetColour(uint32_t rgb);
  void SetLineWidth(int width);
  void SetFontSize(int pixels);
  uint32_t colour() const { return colour_; }
  int lineWidth() const { return width_; }
  int fontSize() const { return fontSize_; }

  bool Undo();
  bool Redo();
  bool DeleteSelection();
  // Ends a text being typed (kept as a shape) and a drag in progress.
  void FinishEditing();

  double zoom() const { return zoom_; }
  // Zoom about a point of the client area (the pointer); the picture pixel
  // under it stays there.
  void SetZoom(double zoom, POINT about);
  void SetZoom(double zoom);

  const markup::CMarkupDocument& document() const { return doc_; }
  bool Modified() const { return doc_.Modified() || textEdit_ != nullptr; }
  void MarkSaved() { doc_.MarkSaved(); }
  // The marked-up picture, cut to the crop: a new picture of its own.
  PicturePtr Result();
  // The result's rectangle in picture pixels.
  Rect ResultRect() const;
  // Where the result's top-left pixel is on the screen, and the zoom it is
  // shown at.
  POINT ResultScreenOrigin() const;
  const markup::PixelView& pixels() const { return composite_; }

  // Told after every change of the shapes, the zoom or the selection.
  void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }
 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnPaint() override;
  bool OnEraseBkgnd(HDC dc) override { return true; }
  void OnLButtonDown(UINT flags, POINT pt) override;
  void OnLButtonUp(UINT flags, POINT pt) override;
  void OnLButtonDblClk(UINT flags, POINT pt) override;
  void OnMouseMove(UINT flags, POINT pt) override;
  void OnRButtonDown(UINT flags, POINT pt) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnHScroll(int code, int pos, HWND bar) override;
  void OnVScroll(int code, int pos, HWND bar) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, int type) override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnDestroy() override;

 private:
  enum class Drag { kNone, kDraw, kMove, kResize };

  markup::Point ToPicture(POINT client) const;
  RECT ToClient(const Rect& picture) const;
  int Tolerance() const;
  // Redraws the pixels of the shapes' areas (picture coordinates) and
  // repaints them with what surrounds a selection.
  void Redraw(const std::vector<Rect>& areas);
  void RedrawShape(const markup::Shape* s, std::vector<Rect>& areas) const;
  void RedrawAll();
  // The client area the selection's frame and handles take.
  RECT SelectionArea() const;
  void Select(uint32_t id);
  void UpdateScrollBars();
  void ScrollTo(int x, int y);
  void Scroll(int bar, int code, int thumb);
  void PaintPicture(HDC dc, const RECT& r);
  void PaintOverlay(HDC dc);
  void Changed();
  // Previews the change a drag makes and redraws what it touches.
  void ShowPreview(const markup::Shape& s);
  void EndDrag(bool keep);
  void UpdateCursor(POINT client);

  void StartText(markup::Point at, const markup::Shape* existing);
  void LayoutTextEdit();
  void CommitText();
  HFONT TextFont(int pixels) const;

  PicturePtr picture_;
  markup::PixelView original_;
  std::vector<uint32_t> ownPixels_;  // the picture's pixels when it is no DIB of its own
  win::Bitmap compositeBitmap_;
  win::OwnedDc compositeDc_;
  HGDIOBJ compositeOld_ = nullptr;
  markup::PixelView composite_;
  std::unique_ptr<CMarkupTextPainter> painter_;

  markup::CMarkupDocument doc_;
  markup::Tool tool_ = markup::Tool::kRectangle;
  uint32_t colour_ = markup::kDefaultColour;
  int width_ = markup::kDefaultWidth;
  int fontSize_ = markup::kDefaultFontSize;
  uint32_t selected_ = 0;

  Drag drag_ = Drag::kNone;
  markup::Point dragFrom_;
  markup::Shape dragShape_;  // the shape as the drag began
  markup::Handle dragHandle_ = markup::kNoHandle;
  uint32_t dragId_ = 0;

  double zoom_ = 1.0;
  int scrollX_ = 0;
  int scrollY_ = 0;

  HWND textEdit_ = nullptr;
  markup::Point textAt_;
  uint32_t textShape_ = 0;  // the text shape being changed; 0 for a new one
  mutable win::Font textFont_;  // made for the zoom as typing starts
  win::Brush textBrush_;

  std::function<void()> onChange_;
};
