#include "capture/win/EncodedWriter.h"

#include "capture/BmpLayout.h"
#include "capture/win/ScreenCapture.h"
#include "common/FolderChain.h"
#include "win/Gdi.h"

CEncodedWriter::~CEncodedWriter() { Abandon(); }

bool CEncodedWriter::Begin(const CCapturePicture& picture) {
  if (picture_ || picture.width() <= 0 || picture.height() <= 0) return false;
  picture_ = &picture;
  return true;
}

void CEncodedWriter::RowsRead(int rows) {
  if (!picture_ || worker_.joinable() || rows < picture_->height()) return;
  GetLocalTime(&moment_);
  const int w = picture_->width(), h = picture_->height();
  CCapturePicture::File file;
  if (picture_->GetFile(file)) {
    pixels_ = {file.rows, w, h, file.rowBytes / static_cast<size_t>(h)};
  } else {
    // A device-compatible picture: its pixels through GetDIBits, here,
    // while no other thread draws into it.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, w, h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    copy_.assign(static_cast<size_t>(w) * 4 * static_cast<size_t>(h), 0);
    win::WindowDc screen(nullptr);
    if (GetDIBits(screen, picture_->bitmap(), 0, static_cast<UINT>(h), copy_.data(), &info, DIB_RGB_COLORS) != h)
      copy_.clear();
    pixels_ = {copy_.empty() ? nullptr : copy_.data(), w, h, static_cast<size_t>(w) * 4};
  }
  worker_ = std::thread([this] { result_ = Write(); });
}

SnapshotFile CEncodedWriter::Write() {
  SnapshotFile result;
  result.path = SnapshotPathAt(folder_, moment_, extension_);
  CreateFolderChain(result.path);
  if (!pixels_.rows) return result;
  std::string bytes;
  std::string path = result.path;
  if (!Encode(pixels_, bytes)) {
    bytes = BmpFileOf(pixels_);
    path = SnapshotPathAt(folder_, moment_, ".bmp");
    result.path = path;
    result.note = fallbackNote_;
  }
  std::string chosen;
  if (WriteUnderFreeName(path, bytes.data(), bytes.size(), chosen)) {
    result.path = chosen;
    result.written = true;
  }
  return result;
}

SnapshotFile CEncodedWriter::Finish() {
  if (worker_.joinable()) worker_.join();
  return result_;
}

void CEncodedWriter::Abandon() {
  if (worker_.joinable()) worker_.join();
  picture_ = nullptr;
  copy_.clear();
  result_ = SnapshotFile();
}

std::string BmpFileOf(const PixelRows& pixels) {
  BmpLayout layout;
  if (!ComputeBmpLayout(pixels.width, pixels.height, 1, 32, layout)) return std::string();
  std::string bytes = BmpHeaderBytes(layout);
  const size_t row = static_cast<size_t>(pixels.width) * 4;
  bytes.reserve(layout.offBits + layout.blockSize);
  for (int y = 0; y < pixels.height; ++y)
    bytes.append(reinterpret_cast<const char*>(pixels.rows + static_cast<size_t>(y) * pixels.stride), row);
  bytes.resize(static_cast<size_t>(layout.offBits) + layout.blockSize, '\0');
  return bytes;
}
