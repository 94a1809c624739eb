#include "capture/win/CapturePicture.h"

namespace {

constexpr size_t kPage = 4096;
constexpr int kDibBits = 32;

// Writes a zero to each page of a picture that is still black. A write
// alone: a read first would cost a second fault where the system maps a
// page for reading before it maps it for writing.
void ClearPages(unsigned char* p, size_t size) {
  for (size_t i = 0; i < size; i += kPage) *static_cast<volatile unsigned char*>(p + i) = 0;
}

}  // namespace

bool UseWinePaths() {
  static const bool wine = [] {
    wchar_t value[8] = {};
    DWORD n = GetEnvironmentVariableW(L"VISTREL_PLAIN_CAPTURE", value, 8);
    if (n > 0 && n < 8 && std::wstring(value) == L"1") return false;
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return wine;
}

std::shared_ptr<CCapturePicture> CCapturePicture::Adopt(win::Bitmap bitmap, int width, int height) {
  std::shared_ptr<CCapturePicture> p(new CCapturePicture);
  p->bitmap_ = std::move(bitmap);
  p->width_ = width;
  p->height_ = height;
  return p;
}

std::shared_ptr<CCapturePicture> CCapturePicture::Make(HDC dc, int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  std::shared_ptr<CCapturePicture> p(new CCapturePicture);
  p->width_ = width;
  p->height_ = height;
  // The file of a device-compatible bitmap carries the display's own depth;
  // a 32-bit DIB section has the same bytes only on a 32-bit display.
  const int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  if (bits != kDibBits || !ComputeBmpLayout(width, height, 1, kDibBits, p->layout_)) {
    p->bitmap_.reset(CreateCompatibleBitmap(dc, width, height));
    return p->bitmap_ ? p : nullptr;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // rows bottom-up, as the file stores them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = kDibBits;
  info.bmiHeader.biCompression = BI_RGB;
  void* rows = nullptr;
  p->bitmap_.reset(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &rows, nullptr, 0));
  if (!p->bitmap_ || !rows) return nullptr;
  p->bits_ = static_cast<unsigned char*>(rows);
  return p;
}

size_t CCapturePicture::RowBytes() const {
  return static_cast<size_t>(layout_.stride) * static_cast<size_t>(height_);
}

void CCapturePicture::MapPages(bool wine) {
  // Under Wine VirtualLock has the system map every page of the range at
  // once, for far less than a fault a page costs; the one write to each
  // page that follows then costs less too.
  if (bits_ && wine && VirtualLock(bits_, RowBytes())) VirtualUnlock(bits_, RowBytes());
}

void CCapturePicture::ReadyPages() {
  if (!bitmap_) return;
  if (bits_) {
    ClearPages(bits_, RowBytes());
    return;
  }
  win::WindowDc screen(nullptr);
  win::OwnedDc memory = win::OwnedDc::Compatible(screen);
  win::Select select(memory, bitmap_);
  PatBlt(memory, 0, 0, width_, height_, BLACKNESS);
}

bool CCapturePicture::GetFile(File& out) const {
  if (!bits_) return false;
  GdiFlush();  // drawing into a DIB section may still be queued
  out.headers = BmpHeaderBytes(layout_);
  out.rows = bits_;
  out.rowBytes = RowBytes();
  out.zeros = layout_.blockSize - out.rowBytes;
  return true;
}
