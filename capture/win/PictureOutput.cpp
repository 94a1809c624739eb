#include "capture/win/PictureOutput.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "capture/PngEncoder.h"
#include "capture/win/JpegWriter.h"
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

// The picture's BMP file over path.
bool WriteBmp(const CCapturePicture& picture, const std::string& path) {
  CCapturePicture::File file;
  if (!picture.GetFile(file)) return false;
  std::string bytes;
  bytes.reserve(file.headers.size() + file.rowBytes + file.zeros);
  bytes += file.headers;
  bytes.append(reinterpret_cast<const char*>(file.rows), file.rowBytes);
  bytes.append(file.zeros, '\0');
  return file::WriteAtomic(path, bytes);
}

}  // namespace

bool CopyToClipboard(HWND owner, const CCapturePicture& picture) {
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
  CCapturePicture::File file;
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

std::string AskPathAndFormat(HWND owner, const std::string& folder, const std::string& name,
                             CaptureFormat& format) {
  static const CaptureFormat kTypes[] = {CaptureFormat::kBmp, CaptureFormat::kPng, CaptureFormat::kJpeg};
  std::vector<wchar_t> buffer(32768, L'\0');
  const std::wstring initial = text::Widen(name);
  initial.copy(buffer.data(), buffer.size() - 1);
  const std::wstring dir = text::Widen(folder);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = L"BMP (*.bmp)\0*.bmp\0PNG (*.png)\0*.png\0JPEG (*.jpg)\0*.jpg;*.jpeg\0";
  ofn.nFilterIndex = 1;
  for (DWORD i = 0; i < 3; ++i)
    if (kTypes[i] == format) ofn.nFilterIndex = i + 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (!GetSaveFileNameW(&ofn)) return std::string();
  format = ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= 3 ? kTypes[ofn.nFilterIndex - 1] : CaptureFormat::kBmp;
  std::string path = text::Narrow(buffer.data());
  // The type decides the format; the name gets its extension unless it has it.
  auto endsWith = [&path](const char* ext) {
    const size_t n = std::strlen(ext);
    if (path.size() < n) return false;
    for (size_t i = 0; i < n; ++i) {
      char c = path[path.size() - n + i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      if (c != ext[i]) return false;
    }
    return true;
  };
  if (!endsWith(FormatExtension(format)) && !(format == CaptureFormat::kJpeg && endsWith(".jpeg")))
    path += FormatExtension(format);
  return path;
}

bool WriteFileAs(const CCapturePicture& picture, const std::string& path, CaptureFormat format, int quality) {
  if (format == CaptureFormat::kBmp) return WriteBmp(picture, path);
  CCapturePicture::File file;
  if (!picture.GetFile(file) || picture.height() <= 0) return false;
  std::string bytes;
  const size_t stride = file.rowBytes / static_cast<size_t>(picture.height());
  if (format == CaptureFormat::kPng) {
    PngSource source;
    source.rows = file.rows;
    source.width = picture.width();
    source.height = picture.height();
    source.bytesPerPixel = 4;
    source.stride = stride;
    if (!EncodePng(source, bytes)) return false;
  } else if (!EncodeJpeg(PixelRows{file.rows, picture.width(), picture.height(), stride}, quality, bytes)) {
    return false;
  }
  return file::WriteAtomic(path, bytes);
}

CaptureFormat FormatOfFile(const std::string& path) {
  std::string head(8, '\0');
  size_t got = 0;
  if (file::FilePtr f = file::Open(path, "rb")) got = std::fread(&head[0], 1, head.size(), f.get());
  head.resize(got);
  return FileFormat(head, path);
}

}  // namespace picture_output
