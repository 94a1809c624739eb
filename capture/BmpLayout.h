// Sizes and headers of the BMP files a capture writes: a 14-byte file header,
// a 40-byte info header, the colour table GetDIBits fills (4 bytes an entry)
// and the pixel rows bottom-up, each padded to a multiple of 4 bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

struct BmpLayout {
  static constexpr uint32_t kFileHeaderSize = 14;
  static constexpr uint32_t kInfoHeaderSize = 40;
  static constexpr uint32_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;

  int32_t width = 0;
  int32_t height = 0;
  uint16_t planes = 0;
  uint16_t bitCount = 0;   // the bitmap's own bits per pixel, as the header carries it
  int colourClass = 0;     // 1, 4, 8, 16, 24 or 32
  uint32_t tableEntries = 0;
  uint32_t imageSize = 0;  // ((width + 7) / 8) * class * height: the header's pixel block size
  uint32_t stride = 0;     // bytes of one row as GetDIBits writes it
  uint32_t blockSize = 0;  // bytes to allocate: imageSize, or stride * height when that is more
  uint32_t offBits = 0;
  uint32_t fileSize = 0;
};

// Colour class of a bitmap with planes * bitsPerPixel bits a pixel.
int BmpColourClass(int planes, int bitsPerPixel);

// False for an empty bitmap or one whose sizes overflow the 32-bit fields.
bool ComputeBmpLayout(int width, int height, int planes, int bitsPerPixel, BmpLayout& out);

// The 54 header bytes, little-endian; the colour table and pixels follow them.
std::string BmpHeaderBytes(const BmpLayout& layout);
