// RAII for GDI objects, device contexts and selections (on the scoped
// handle of win/Handles.h).
#pragma once
#include <windows.h>

#include <string>
#include <utility>

#include "common/Text.h"
#include "win/Handles.h"

namespace win {

// DrawText with UTF-8 text (DrawText is the system's macro for DrawTextW,
// so this is an overload of it in our namespace).
inline int DrawText(HDC dc, const std::string& utf8, RECT rect, UINT format) {
  std::wstring w = text::Widen(utf8);
  return DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &rect, format);
}

template <class H>
struct GdiObjectTraits {
  using Type = H;
  static Type None() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static bool Close(Type h) { return DeleteObject(h) != 0; }
};

// Owns one GDI object (pen, brush, font, bitmap, region).
template <class H>
using GdiObject = ScopedHandle<GdiObjectTraits<H>>;

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;

struct OwnedDcTraits {
  using Type = HDC;
  static Type None() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static bool Close(Type h) { return DeleteDC(h) != 0; }
};

// A DC made with CreateCompatibleDC or CreateDC; deleted with DeleteDC.
class OwnedDc : public ScopedHandle<OwnedDcTraits> {
 public:
  using ScopedHandle::ScopedHandle;
  static OwnedDc Compatible(HDC with) { return OwnedDc(CreateCompatibleDC(with)); }
  static OwnedDc Display() { return OwnedDc(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)); }
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
