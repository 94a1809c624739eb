// RAII for GDI objects, device contexts and selections.
#pragma once
#include <windows.h>

#include <string>
#include <utility>

#include "common/Text.h"

namespace win {

// DrawText with UTF-8 text (DrawText is the system's macro for DrawTextW,
// so this is an overload of it in our namespace).
inline int DrawText(HDC dc, const std::string& utf8, RECT rect, UINT format) {
  std::wstring w = text::Widen(utf8);
  return DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &rect, format);
}

// Owns one GDI object (pen, brush, font, bitmap, region).
template <class H>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(H h) : h_(h) {}
  GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  GdiObject& operator=(GdiObject&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, nullptr));
    return *this;
  }
  ~GdiObject() { reset(); }
  H get() const { return h_; }
  operator H() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  H release() { return std::exchange(h_, nullptr); }
  void reset(H h = nullptr) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }

 private:
  H h_ = nullptr;
};

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;

// A DC made with CreateCompatibleDC or CreateDC; deleted with DeleteDC.
class OwnedDc {
 public:
  OwnedDc() = default;
  explicit OwnedDc(HDC dc) : dc_(dc) {}
  OwnedDc(OwnedDc&& o) noexcept : dc_(std::exchange(o.dc_, nullptr)) {}
  OwnedDc& operator=(OwnedDc&& o) noexcept {
    if (this != &o) {
      if (dc_) DeleteDC(dc_);
      dc_ = std::exchange(o.dc_, nullptr);
    }
    return *this;
  }
  ~OwnedDc() {
    if (dc_) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }
  operator HDC() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

  static OwnedDc Compatible(HDC with) { return OwnedDc(CreateCompatibleDC(with)); }
  static OwnedDc Display() { return OwnedDc(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)); }

 private:
  HDC dc_ = nullptr;
};

// GetDC / ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  HDC get() const { return dc_; }
  operator HDC() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(hwnd_, &ps_); }
  HDC get() const { return dc_; }
  operator HDC() const { return dc_; }
  const PAINTSTRUCT& paint() const { return ps_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Selects an object into a DC for the lifetime of the guard.
class Select {
 public:
  Select(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
  Select(const Select&) = delete;
  Select& operator=(const Select&) = delete;
  ~Select() {
    if (old_) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace win
