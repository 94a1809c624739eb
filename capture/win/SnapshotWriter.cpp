#include "capture/win/SnapshotWriter.h"

#include "capture/win/BmpWriter.h"
#include "capture/win/JpegWriter.h"
#include "capture/win/PngWriter.h"

const char kJpegFallbackNote[] = " (JPEG 无法写入, 已存为 BMP)";

std::unique_ptr<ISnapshotWriter> MakeSnapshotWriter(CaptureFormat format, const std::string& folder, int quality) {
  switch (format) {
    case CaptureFormat::kJpeg:
      return std::make_unique<CJpegWriter>(folder, quality);
    case CaptureFormat::kPng:
      return std::make_unique<CPngWriter>(folder);
    case CaptureFormat::kBmp:
      break;
  }
  return std::make_unique<CBmpWriter>(folder);
}
