#include "capture/BmpLayout.h"

#include <algorithm>

namespace {

void Put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

int BmpColourClass(int planes, int bitsPerPixel) {
  int bits = planes * bitsPerPixel;
  if (bits == 1) return 1;
  if (bits <= 4) return 4;
  if (bits <= 8) return 8;
  if (bits <= 16) return 16;
  if (bits <= 24) return 24;
  return 32;
}

bool ComputeBmpLayout(int width, int height, int planes, int bitsPerPixel, BmpLayout& out) {
  if (width <= 0 || height <= 0 || planes <= 0 || bitsPerPixel <= 0 || planes > 0xFFFF || bitsPerPixel > 0xFFFF)
    return false;
  BmpLayout l;
  l.width = width;
  l.height = height;
  l.planes = static_cast<uint16_t>(planes);
  l.bitCount = static_cast<uint16_t>(bitsPerPixel);
  l.colourClass = BmpColourClass(planes, bitsPerPixel);
  // A 16-bit picture carries a full 65536-entry table too.
  l.tableEntries = l.colourClass <= 16 ? (1u << l.colourClass) : 0;

  const uint64_t w = static_cast<uint64_t>(width), h = static_cast<uint64_t>(height);
  const uint64_t imageSize = (w + 7) / 8 * static_cast<uint64_t>(l.colourClass) * h;
  const uint64_t stride = (w * static_cast<uint64_t>(bitsPerPixel) + 31) / 32 * 4;
  const uint64_t blockSize = std::max(imageSize, stride * h);
  const uint64_t offBits = BmpLayout::kHeadersSize + 4ull * l.tableEntries;
  const uint64_t fileSize = offBits + imageSize;
  if (blockSize > UINT32_MAX || fileSize > UINT32_MAX) return false;
  l.imageSize = static_cast<uint32_t>(imageSize);
  l.stride = static_cast<uint32_t>(stride);
  l.blockSize = static_cast<uint32_t>(blockSize);
  l.offBits = static_cast<uint32_t>(offBits);
  l.fileSize = static_cast<uint32_t>(fileSize);
  out = l;
  return true;
}

std::string BmpHeaderBytes(const BmpLayout& l) {
  std::string out;
  out.reserve(BmpLayout::kHeadersSize);
  Put16(out, 0x4D42);  // "BM"
  Put32(out, l.fileSize);
  Put16(out, 0);
  Put16(out, 0);
  Put32(out, l.offBits);
  Put32(out, BmpLayout::kInfoHeaderSize);
  Put32(out, static_cast<uint32_t>(l.width));
  Put32(out, static_cast<uint32_t>(l.height));  // positive: rows bottom-up
  Put16(out, l.planes);
  Put16(out, l.bitCount);
  Put32(out, 0);  // BI_RGB
  Put32(out, l.imageSize);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, l.tableEntries);
  Put32(out, 0);
  return out;
}
