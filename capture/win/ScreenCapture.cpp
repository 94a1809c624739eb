#include "capture/win/ScreenCapture.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "capture/BmpLayout.h"
#include "capture/SnapshotName.h"
#include "common/File.h"
#include "common/FolderChain.h"
#include "common/TempFile.h"
#include "common/Text.h"
#include "win/Handles.h"

namespace {

// Enough for every capture of one second; past that the capture fails.
constexpr int kMaxNameVariants = 1000;
constexpr DWORD kDwmExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS

// WriteFile takes at most 4 GiB - 1 a call; a capture file is far smaller,
// so a part is one call in practice. A part without data is that many zero
// bytes.
}  // namespace

bool WriteFilePart(HANDLE file, const FilePart& part) {
  static const unsigned char kZeros[64 * 1024] = {};
  const auto* bytes = static_cast<const unsigned char*>(part.data);
  size_t size = part.size;
  while (size > 0) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, bytes ? 0x40000000u : sizeof kZeros));
    DWORD written = 0;
    if (!WriteFile(file, bytes ? bytes : kZeros, chunk, &written, nullptr) || written != chunk) return false;
    if (bytes) bytes += chunk;
    size -= chunk;
  }
  return true;
}

BmpImage::~BmpImage() {
  if (data) VirtualFree(data, 0, MEM_RELEASE);
}

win::Bitmap CopyBitmapRect(HBITMAP source, const Rect& r) {
  if (r.Width() <= 0 || r.Height() <= 0) return win::Bitmap();
  win::WindowDc screen(nullptr);
  win::OwnedDc from = win::OwnedDc::Compatible(screen);
  win::OwnedDc to = win::OwnedDc::Compatible(screen);
  win::Bitmap copy(CreateCompatibleBitmap(screen, r.Width(), r.Height()));
  if (!from || !to || !copy) return win::Bitmap();
  win::Select selectSource(from, source);
  win::Select selectCopy(to, copy);
  if (!BitBlt(to, 0, 0, r.Width(), r.Height(), from, r.left, r.top, SRCCOPY)) return win::Bitmap();
  return copy;
}

PicturePtr CropPicture(const CCapturePicture& source, const Rect& r, ISnapshotWriter* file) {
  if (r.Width() <= 0 || r.Height() <= 0) return nullptr;
  win::WindowDc screen(nullptr);
  PicturePtr part = CCapturePicture::Make(screen, r.Width(), r.Height());
  win::OwnedDc from = win::OwnedDc::Compatible(screen);
  win::OwnedDc to = win::OwnedDc::Compatible(screen);
  if (!part || !from || !to) return nullptr;
  part->MapPages(UseWinePaths());
  const bool streamed = file && file->Begin(*part);
  part->ReadyPages();
  {
    win::Select selectSource(from, source.bitmap());
    win::Select selectPart(to, part->bitmap());
    if (!BitBlt(to, 0, 0, r.Width(), r.Height(), from, r.left, r.top, SRCCOPY)) {
      if (streamed) file->Abandon();  // before the picture goes
      return nullptr;
    }
  }
  if (streamed) file->RowsRead(r.Height());
  return part;
}

// GetDIBits writes the system's own header and colour table straight into the
// file's bytes, so they must have the file's sizes in every build.
static_assert(sizeof(BITMAPINFOHEADER) == BmpLayout::kInfoHeaderSize);
static_assert(sizeof(RGBQUAD) == 4);
static_assert(offsetof(BITMAPINFO, bmiColors) == BmpLayout::kInfoHeaderSize);

bool BuildSnapshotBmp(HBITMAP bitmap, HDC dc, BmpImage& out) {
  BITMAP b{};
  if (!GetObjectW(bitmap, sizeof b, &b)) return false;
  BmpLayout layout;
  if (!ComputeBmpLayout(b.bmWidth, b.bmHeight, b.bmPlanes, b.bmBitsPixel, layout)) return false;
  const size_t size = static_cast<size_t>(layout.offBits) + layout.blockSize;
  // Fresh pages are zero: the bytes of the block past the last row stay 0.
  auto* data = static_cast<unsigned char*>(VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (!data) return false;
  if (out.data) VirtualFree(out.data, 0, MEM_RELEASE);
  out.data = data;
  out.size = size;

  const std::string headers = BmpHeaderBytes(layout);
  std::memcpy(data, headers.data(), headers.size());
  // The info header and colour table of the file are the BITMAPINFO that
  // GetDIBits fills, and the pixel block follows them: one conversion
  // straight into the bytes that are written.
  auto* info = reinterpret_cast<BITMAPINFO*>(data + BmpLayout::kFileHeaderSize);
  info->bmiHeader.biPlanes = 1;  // GetDIBits asks for one plane
  int lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(layout.height), data + layout.offBits, info, DIB_RGB_COLORS);
  // GetDIBits may fill in sizes of its own; the file keeps the layout's.
  std::memcpy(data + BmpLayout::kFileHeaderSize, headers.data() + BmpLayout::kFileHeaderSize,
              BmpLayout::kInfoHeaderSize);
  return lines != 0;
}

bool WriteUnderFreeName(const std::string& path, const void* bytes, size_t size, std::string& chosen) {
  return WriteUnderFreeName(path, {FilePart{bytes, size}}, chosen);
}

bool WriteUnderFreeName(const std::string& path, const std::vector<FilePart>& parts, std::string& chosen) {
  return WriteUnderFreeName(
      path,
      [&parts](HANDLE file) {
        for (const FilePart& part : parts)
          if (!WriteFilePart(file, part)) return false;
        return true;
      },
      chosen);
}

bool WriteUnderLateName(const std::string& tempBeside, const std::function<bool(HANDLE)>& write,
                  const std::function<std::string()>& path, std::string& chosen) {
  file::CTempFile temp(tempBeside);
  if (!temp) return false;
  bool ok = write(reinterpret_cast<HANDLE>(temp.native()));
  if (!temp.Close(false) || !ok) return false;
  // The move never replaces an earlier capture: a taken name tries the next.
  const std::string first = path();
  for (int n = 1; n <= kMaxNameVariants; ++n) {
    std::string name = SnapshotPathVariant(first, n);
    file::CTempFile::MoveResult moved = temp.MoveTo(name);
    if (moved == file::CTempFile::kMoved) {
      chosen = name;
      return true;
    }
    if (moved != file::CTempFile::kNameTaken) break;
  }
  return false;
}

bool WriteUnderFreeName(const std::string& path, const std::function<bool(HANDLE)>& write, std::string& chosen) {
  return WriteUnderLateName(path, write, [&path] { return path; }, chosen);
}

std::string SnapshotPathAt(const std::string& folder, const SYSTEMTIME& t, const char* extension) {
  return SnapshotFilePath(folder, t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, extension);
}

namespace {

// The file of a capture taken now, under the moment's name, its folders
// made; no writer when there is nothing to write.
SnapshotFile WriteSnapshot(const std::string& folder, const std::function<bool(HANDLE)>& write) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  SnapshotFile result;
  result.path = SnapshotPathAt(folder, now, ".bmp");
  CreateFolderChain(result.path);
  std::string chosen;
  if (write && WriteUnderFreeName(result.path, write, chosen)) {
    result.path = chosen;
    result.written = true;
  }
  return result;
}

SnapshotFile WriteSnapshot(const std::string& folder, const std::vector<FilePart>& parts) {
  return WriteSnapshot(folder, [&parts](HANDLE file) {
    for (const FilePart& part : parts)
      if (!WriteFilePart(file, part)) return false;
    return true;
  });
}

}  // namespace

SnapshotFile SaveSnapshotBmp(HBITMAP bitmap, HDC dc, const std::string& folder) {
  BmpImage image;
  if (!BuildSnapshotBmp(bitmap, dc, image)) return WriteSnapshot(folder, std::function<bool(HANDLE)>());
  return WriteSnapshot(folder, {FilePart{image.data, image.size}});
}

RECT VisibleWindowBounds(HWND window) {
  using GetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
  // dwmapi.dll is missing before Vista; load it from the system folder only.
  static const GetAttributeFn getAttribute = []() -> GetAttributeFn {
    wchar_t system[MAX_PATH] = {};
    UINT n = GetSystemDirectoryW(system, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    HMODULE dwm = LoadLibraryW((std::wstring(system) + L"\\dwmapi.dll").c_str());
    return dwm ? reinterpret_cast<GetAttributeFn>(GetProcAddress(dwm, "DwmGetWindowAttribute")) : nullptr;
  }();
  RECT r{};
  GetWindowRect(window, &r);
  if (getAttribute) {
    RECT bounds{};
    if (SUCCEEDED(getAttribute(window, kDwmExtendedFrameBounds, &bounds, sizeof bounds)) &&
        bounds.right > bounds.left && bounds.bottom > bounds.top)
      return bounds;
  }
  return r;
}
