#include "capture/win/PngWriter.h"

#include "capture/PngEncoder.h"

const char kPngFallbackNote[] = " (PNG 无法写入, 已存为 BMP)";

CPngWriter::CPngWriter(std::string folder) : CEncodedWriter(std::move(folder), ".png", kPngFallbackNote) {}

bool CPngWriter::Encode(const PixelRows& pixels, std::string& out) {
  PngSource source;
  source.rows = pixels.rows;
  source.width = pixels.width;
  source.height = pixels.height;
  source.bytesPerPixel = 4;
  source.stride = pixels.stride;
  return EncodePng(source, out);
}
