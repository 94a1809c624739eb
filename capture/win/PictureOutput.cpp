#include "capture/win/PictureOutput.h"

#include <commdlg.h>

#include <cstring>
#include <vector>

#include "common/File.h"
#include "common/Text.h"

namespace picture_output {
namespace {

// A global memory block that frees itself unless handed on.
struct GlobalBlock {
  HGLOBAL h = nullptr;
  ~GlobalBlock() {
    if (h) GlobalFree(h);
  }
};

}  // namespace

bool CopyToClipboard(HWND owner, const CapturePicture& picture) {
  const int w = picture.width(), h = picture.height();
  if (w <= 0 || h <= 0) return false;
  BITMAPINFOHEADER header{sizeof header, w, h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  const size_t rows = static_cast<size_t>(w) * 4 * static_cast<size_t>(h);
  header.biSizeImage = static_cast<DWORD>(rows);
  GlobalBlock block;
  block.h = GlobalAlloc(GMEM_MOVEABLE, sizeof header + rows);
  if (!block.h) return false;
  auto* bytes = static_cast<unsigned char*>(GlobalLock(block.h));
  if (!bytes) return false;
  std::memcpy(bytes, &header, sizeof header);
  CapturePicture::File file;
  bool ok = true;
  if (picture.GetFile(file) && file.rowBytes == rows) {
    std::memcpy(bytes + sizeof header, file.rows, rows);
  } else {
    // A device-compatible picture: its pixels through GetDIBits.
    win::WindowDc screen(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = header;
    ok = GetDIBits(screen, picture.bitmap(), 0, static_cast<UINT>(h), bytes + sizeof header, &info,
                   DIB_RGB_COLORS) == h;
  }
  GlobalUnlock(block.h);
  if (!ok || !OpenClipboard(owner)) return false;
  EmptyClipboard();
  if (SetClipboardData(CF_DIB, block.h)) block.h = nullptr;  // the clipboard's now
  CloseClipboard();
  return block.h == nullptr;
}

bool WriteFile(const CapturePicture& picture, const std::string& path) {
  CapturePicture::File file;
  if (!picture.GetFile(file)) return false;
  std::string bytes;
  bytes.reserve(file.headers.size() + file.rowBytes + file.zeros);
  bytes += file.headers;
  bytes.append(reinterpret_cast<const char*>(file.rows), file.rowBytes);
  bytes.append(file.zeros, '\0');
  return file::WriteAtomic(path, bytes);
}

std::string AskPath(HWND owner, const std::string& folder, const std::string& name) {
  std::vector<wchar_t> buffer(32768, L'\0');
  const std::wstring initial = text::Widen(name);
  initial.copy(buffer.data(), buffer.size() - 1);
  const std::wstring dir = text::Widen(folder);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = L"BMP (*.bmp)\0*.bmp\0";
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
  ofn.lpstrDefExt = L"bmp";
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (!GetSaveFileNameW(&ofn)) return std::string();
  return text::Narrow(buffer.data());
}

}  // namespace picture_output
