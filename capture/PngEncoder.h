// PNG files of captured pictures: 8-bit RGB, each row filtered by the filter
// that leaves the smallest sum of absolute values, compressed in horizontal
// strips on every core and joined into one zlib stream (strips end on a full
// flush; the trailer is the strips' Adler-32 sums combined).
//
// The encoder reads the pixels where the capture holds them: the bottom-up
// rows of a BMP pixel block, blue-green-red with 3 bytes a pixel or with a
// fourth byte that is ignored. The picture is not copied: each row is read
// from there as it is filtered.
#pragma once
#include <cstddef>
#include <string>

struct PngSource {
  const unsigned char* rows = nullptr;  // the first row in memory is the picture's bottom row
  int width = 0;
  int height = 0;
  int bytesPerPixel = 4;  // 3 (BGR) or 4 (BGRX)
  size_t stride = 0;      // bytes from one row to the next; 0: width * bytesPerPixel rounded up to 4
};

// How hard zlib works and how the work is shared; the defaults are the tuned ones.
struct PngOptions {
  int level = -1;     // zlib level; -1: the tuned default
  int strategy = -1;  // one zlib strategy for every row; -1: each group of rows the one that suits it
  int memLevel = 6;   // smaller: less of zlib's hash to move as its window slides
  int threads = 0;    // 0: one a core
  int strips = 0;     // 0: a few a thread, so that a slow strip does not hold the others up
};

// The complete PNG file of the pixels in out. False (out empty) for an empty
// picture, a bytesPerPixel other than 3 or 4, a stride shorter than a row,
// sizes past PNG's 31-bit fields, or a zlib failure.
bool EncodePng(const PngSource& source, std::string& out, const PngOptions& options = {});

// The pixel block of a BMP file held in memory: BI_RGB, 24 or 32 bits a
// pixel, bottom-up. False for anything else, or a file too short for its
// rows; the source points into bmp.
bool PngSourceFromBmp(const unsigned char* bmp, size_t size, PngSource& out);

// EncodePng, then the file written to path atomically (file::WriteAtomic).
bool WritePngFile(const std::string& path, const PngSource& source);
