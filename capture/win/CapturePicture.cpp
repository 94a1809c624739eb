#include "capture/win/CapturePicture.h"

#include <cstring>
#include <string>

namespace {

constexpr size_t kPage = 4096;
constexpr int kSectionBits = 32;

// Writes each page's first byte back to it: the page is mapped, its
// contents unchanged.
void TouchPages(unsigned char* p, size_t size) {
  for (size_t i = 0; i < size; i += kPage) {
    volatile unsigned char* b = p + i;
    *b = *b;
  }
  if (size > 0) {
    volatile unsigned char* last = p + size - 1;
    *last = *last;
  }
}

// Under Wine VirtualLock maps every page of the range at once, which costs
// far less than one fault a page; where it is refused (a locked-memory
// limit) the pages are touched instead.
void BringIn(unsigned char* p, size_t size, bool wine) {
  if (size == 0) return;
  if (wine && VirtualLock(p, size)) {
    VirtualUnlock(p, size);
    return;
  }
  TouchPages(p, size);
}

// True when [p, p + size) lies in one committed region of the allocation
// that holds base.
bool InSameMapping(const void* p, size_t size, const void* base) {
  MEMORY_BASIC_INFORMATION a{}, b{};
  if (!VirtualQuery(p, &a, sizeof a) || !VirtualQuery(base, &b, sizeof b)) return false;
  if (a.State != MEM_COMMIT || a.AllocationBase != b.AllocationBase) return false;
  const auto* start = static_cast<const unsigned char*>(p);
  const auto* end = static_cast<const unsigned char*>(a.BaseAddress) + a.RegionSize;
  return start + size <= end;
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

CapturePicture::~CapturePicture() {
  bitmap_.reset();
  if (ownView_) UnmapViewOfFile(ownView_);
}

std::shared_ptr<CapturePicture> CapturePicture::Adopt(win::Bitmap bitmap, int width, int height) {
  std::shared_ptr<CapturePicture> p(new CapturePicture);
  p->bitmap_ = std::move(bitmap);
  p->width_ = width;
  p->height_ = height;
  return p;
}

std::shared_ptr<CapturePicture> CapturePicture::Make(HDC dc, int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  std::shared_ptr<CapturePicture> p(new CapturePicture);
  p->width_ = width;
  p->height_ = height;
  const int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  BmpLayout& l = p->layout_;
  if (bits != kSectionBits || !ComputeBmpLayout(width, height, 1, kSectionBits, l)) {
    p->bitmap_.reset(CreateCompatibleBitmap(dc, width, height));
    return p->bitmap_ ? p : nullptr;
  }

  // The section holds the file whole: a few bytes of padding, so that the
  // pixels start on a DWORD as a DIB section needs, then the headers and
  // the pixel block. Fresh section memory is zero, so the bytes of the
  // block past the last row are zero, as the file wants them.
  const size_t pad = (4 - l.offBits % 4) % 4;
  const size_t total = pad + l.offBits + l.blockSize;
  HANDLE section = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                      static_cast<DWORD>(static_cast<unsigned long long>(total) >> 32),
                                      static_cast<DWORD>(total & 0xFFFFFFFFu), nullptr);
  if (!section) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // rows bottom-up, as the file stores them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = kSectionBits;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  p->bitmap_.reset(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, section, static_cast<DWORD>(pad + l.offBits)));
  if (p->bitmap_ && pixels) {
    p->fileSize_ = static_cast<size_t>(l.offBits) + l.blockSize;
    unsigned char* file = static_cast<unsigned char*>(pixels) - l.offBits;
    if (InSameMapping(file, p->fileSize_, pixels)) {
      p->file_ = file;
    } else if ((p->ownView_ = MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, total)) != nullptr) {
      // The bitmap's view does not reach the headers or the block's end: a
      // view of our own onto the same memory.
      p->file_ = static_cast<unsigned char*>(p->ownView_) + pad;
    }
  }
  CloseHandle(section);  // the views keep the memory
  if (!p->bitmap_ || !p->file_) return nullptr;
  return p;
}

void CapturePicture::ReadyPages(bool wine) {
  if (!bitmap_) return;
  if (file_) {
    BringIn(file_, fileSize_, wine);
    if (ownView_) {
      // The bitmap's own view maps the same memory at another address.
      DIBSECTION ds{};
      if (GetObjectW(bitmap_, sizeof ds, &ds) == sizeof ds && ds.dsBm.bmBits)
        BringIn(static_cast<unsigned char*>(ds.dsBm.bmBits), static_cast<size_t>(layout_.stride) * height_, wine);
    }
    return;
  }
  win::WindowDc screen(nullptr);
  win::OwnedDc memory = win::OwnedDc::Compatible(screen);
  win::Select select(memory, bitmap_);
  PatBlt(memory, 0, 0, width_, height_, BLACKNESS);
}

bool CapturePicture::FileBytes(const unsigned char*& bytes, size_t& size) {
  if (!file_) return false;
  GdiFlush();  // drawing into a DIB section may still be queued
  const std::string headers = BmpHeaderBytes(layout_);
  std::memcpy(file_, headers.data(), headers.size());
  bytes = file_;
  size = fileSize_;
  return true;
}
