#include "capture/win/ClipboardOffer.h"

#include "capture/win/ScreenCapture.h"

namespace {
const wchar_t kClass[] = L"brova.ClipboardOffer";
}

CClipboardOffer::~CClipboardOffer() {
  // Gone before the base class's part: the window still renders as it goes.
  if (hwnd()) DestroyWindow(hwnd());
}

void CClipboardOffer::PostNcDestroy() { picture_.reset(); }

bool CClipboardOffer::Prepare(HWND parent) {
  if (hwnd()) return true;
  RegisterClass(kClass);
  return Create(0, kClass, "", WS_CHILD, 0, 0, 0, 0, parent);
}

bool CClipboardOffer::Offer(HWND parent, PicturePtr picture) {
  if (!Prepare(parent) || !OpenClipboard(hwnd())) return false;
  EmptyClipboard();  // an earlier offer of ours ends here (WM_DESTROYCLIPBOARD)
  picture_ = std::move(picture);
  // A null handle announces the format; the bitmap is made on request.
  SetClipboardData(CF_BITMAP, nullptr);
  if (!IsClipboardFormatAvailable(CF_BITMAP)) picture_.reset();
  CloseClipboard();
  return picture_ != nullptr;
}

void CClipboardOffer::Render() {
  if (!picture_) return;
  win::Bitmap copy = CopyBitmapRect(picture_->bitmap(), Rect{0, 0, picture_->width(), picture_->height()});
  if (copy && SetClipboardData(CF_BITMAP, copy.get())) {
    copy.release();  // the clipboard's now
    picture_.reset();
  }
}

LRESULT CClipboardOffer::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_RENDERFORMAT:
      // The clipboard is open for the program that asked.
      if (wp == CF_BITMAP) Render();
      return 0;
    case WM_RENDERALLFORMATS:
      // Sent as this window goes: the clipboard is opened here, and only
      // filled when the offer is still the clipboard's.
      if (picture_ && OpenClipboard(hwnd())) {
        if (GetClipboardOwner() == hwnd()) Render();
        CloseClipboard();
      }
      return 0;
    case WM_DESTROYCLIPBOARD:
      picture_.reset();
      return 0;
  }
  return Window::WindowProc(msg, wp, lp);
}
