#include "capture/PngEncoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "common/File.h"
#include "tests/support/TempFolderTest.h"

namespace {

using Bytes = std::vector<unsigned char>;

uint32_t Big32(const std::string& b, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) << 24 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3]));
}

int Paeth(int a, int b, int c) {
  const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// A PNG read the long way: every chunk's CRC checked, IDATs inflated
// (zlib checks the Adler-32 trailer), every row unfiltered. Gives the RGB
// rows top-down and the filter types met.
struct Decoded {
  int width = 0, height = 0;
  Bytes rgb;
  std::set<int> filters;
  int idatChunks = 0;
};

::testing::AssertionResult Decode(const std::string& png, Decoded& d) {
  static const char kSignature[] = "\x89PNG\r\n\x1A\n";
  if (png.compare(0, 8, kSignature, 8) != 0) return ::testing::AssertionFailure() << "no signature";
  std::string idat;
  bool ended = false;
  size_t at = 8;
  while (!ended) {
    if (at + 12 > png.size()) return ::testing::AssertionFailure() << "cut short at " << at;
    const uint32_t length = Big32(png, at);
    if (length > png.size() - at - 12) return ::testing::AssertionFailure() << "chunk past the end";
    const std::string type = png.substr(at + 4, 4);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + at + 4), length + 4);
    if (crc != Big32(png, at + 8 + length)) return ::testing::AssertionFailure() << "bad CRC of " << type;
    const std::string body = png.substr(at + 8, length);
    if (at == 8) {
      if (type != "IHDR" || length != 13) return ::testing::AssertionFailure() << "no IHDR first";
      d.width = static_cast<int>(Big32(body, 0));
      d.height = static_cast<int>(Big32(body, 4));
      if (body.substr(8) != std::string("\x08\x02\0\0\0", 5)) return ::testing::AssertionFailure() << "not 8-bit RGB";
    } else if (type == "IDAT") {
      idat += body;
      ++d.idatChunks;
    } else if (type == "IEND") {
      ended = length == 0;
    }
    at += 12 + length;
  }
  if (at != png.size()) return ::testing::AssertionFailure() << "bytes after IEND";

  const size_t n = static_cast<size_t>(d.width) * 3;
  Bytes raw((n + 1) * static_cast<size_t>(d.height) + 1);
  z_stream z{};
  inflateInit(&z);
  z.next_in = reinterpret_cast<Bytef*>(&idat[0]);
  z.avail_in = static_cast<uInt>(idat.size());
  z.next_out = raw.data();
  z.avail_out = static_cast<uInt>(raw.size());
  const int r = inflate(&z, Z_FINISH);
  const size_t got = raw.size() - z.avail_out;
  const bool allRead = z.avail_in == 0;
  inflateEnd(&z);
  if (r != Z_STREAM_END || !allRead) return ::testing::AssertionFailure() << "inflate gave " << r;
  if (got != raw.size() - 1) return ::testing::AssertionFailure() << "inflated " << got << " bytes";

  d.rgb.assign(n * static_cast<size_t>(d.height), 0);
  const Bytes zeros(n, 0);
  for (int y = 0; y < d.height; ++y) {
    const unsigned char* in = raw.data() + (n + 1) * static_cast<size_t>(y);
    unsigned char* row = d.rgb.data() + n * static_cast<size_t>(y);
    const unsigned char* prior = y ? row - n : zeros.data();
    d.filters.insert(in[0]);
    for (size_t i = 0; i < n; ++i) {
      const int a = i >= 3 ? row[i - 3] : 0, b = prior[i], c = i >= 3 ? prior[i - 3] : 0;
      const int predicted = in[0] == 0 ? 0 : in[0] == 1 ? a : in[0] == 2 ? b : in[0] == 3 ? (a + b) / 2 : Paeth(a, b, c);
      if (in[0] > 4) return ::testing::AssertionFailure() << "filter " << int(in[0]);
      row[i] = static_cast<unsigned char>(in[1 + i] + predicted);
    }
  }
  return ::testing::AssertionSuccess();
}

// A picture (RGB rows top-down) whose rows, taken in turn, each favour
// another filter: noise, the Paeth guess of its neighbours (Paeth), noise,
// the same again (Up), black (None), a ramp (Sub), the average of its
// neighbours (Average).
Bytes TestPicture(int width, int height, unsigned seed) {
  const size_t n = static_cast<size_t>(width) * 3;
  Bytes rgb(n * static_cast<size_t>(height));
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y) {
    unsigned char* row = rgb.data() + n * static_cast<size_t>(y);
    const unsigned char* prior = y ? row - n : nullptr;
    for (size_t i = 0; i < n; ++i) {
      const int a = i >= 3 ? row[i - 3] : 0, b = prior ? prior[i] : 0, c = prior && i >= 3 ? prior[i - 3] : 0;
      int v = 0;
      switch (y % 7) {
        case 0: case 2: v = static_cast<int>(random() & 0xFF); break;
        case 1: v = Paeth(a, b, c); break;
        case 3: v = b; break;
        case 4: v = 0; break;
        case 5: v = static_cast<int>(i / 3 * 5 + i % 3 * 40); break;
        case 6: v = (a + b) / 2; break;
      }
      row[i] = static_cast<unsigned char>(v);
    }
  }
  return rgb;
}

// A picture in three bands that zlib is asked to compress differently:
// noise (as runs), rows of sparse dots (as matches), one row repeated.
Bytes BandedPicture(int width, int height) {
  const size_t n = static_cast<size_t>(width) * 3;
  Bytes rgb(n * static_cast<size_t>(height));
  std::mt19937 random(3);
  for (int y = 0; y < height; ++y) {
    unsigned char* row = rgb.data() + n * static_cast<size_t>(y);
    for (size_t i = 0; i < n; ++i) {
      const int band = 3 * y / height;
      row[i] = static_cast<unsigned char>(band == 0 || (band == 1 && i % 10 == 0) ? random() : band == 2 ? i : 0);
    }
    if (3 * y / height == 2 && 3 * (y - 1) / height == 2) std::copy(row - n, row, row);
  }
  return rgb;
}

// The picture as a capture holds it: BGR or BGRX rows bottom-up, stride
// apart, the fourth byte and the padding filled with noise the PNG must not show.
Bytes CaptureRows(const Bytes& rgb, int width, int height, int bytesPerPixel, size_t stride) {
  Bytes rows(stride * static_cast<size_t>(height));
  std::mt19937 random(99);
  for (unsigned char& b : rows) b = static_cast<unsigned char>(random());
  for (int y = 0; y < height; ++y) {
    const unsigned char* from = rgb.data() + static_cast<size_t>(width) * 3 * static_cast<size_t>(y);
    unsigned char* to = rows.data() + stride * static_cast<size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      to[bytesPerPixel * x] = from[3 * x + 2];
      to[bytesPerPixel * x + 1] = from[3 * x + 1];
      to[bytesPerPixel * x + 2] = from[3 * x];
    }
  }
  return rows;
}

TEST(PngEncoder, DecodesToTheCapturedPixelsWithEveryFilterAndStrip) {
  struct Case {
    int width, height, bytesPerPixel;
    size_t extraStride;  // past the row's bytes: BMP padding, or a wider bitmap's rows
    PngOptions options;
    bool banded = false;
  };
  PngOptions oneStrip;
  oneStrip.strips = 1;
  PngOptions stripARow;  // every row a strip of its own
  stripARow.strips = 7;
  PngOptions oddStrips;
  oddStrips.strips = 5;
  oddStrips.threads = 2;
  PngOptions rle;
  rle.strategy = Z_RLE;
  rle.level = 1;
  rle.strips = 3;
  PngOptions twoThreads;  // and the strips they choose
  twoThreads.threads = 2;
  PngOptions best;
  best.level = 9;
  best.memLevel = 1;
  const Case cases[] = {
      {1, 1, 3, 1, {}},          // a single pixel in a row of 5 bytes
      {3, 7, 4, 0, stripARow},   // 3 wide: the filters' left neighbour is at the row's start
      {1, 37, 3, 1, oddStrips},  // one pixel wide, 37 rows in 5 strips
      {641, 1, 4, 0, {}},        // one row
      {6, 13, 3, 5, oddStrips},  // 13 rows in 5 strips, padded and past the padding
      {301, 523, 4, 0, twoThreads},
      {97, 61, 3, 1, rle},
      {97, 61, 4, 8, best},
      {257, 300, 4, 0, oneStrip},
      {640, 480, 4, 0, twoThreads, true},
      {640, 480, 4, 0, {}, true},
      {640, 480, 3, 0, oneStrip, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << "x" << c.bytesPerPixel);
    const Bytes rgb = c.banded ? BandedPicture(c.width, c.height)
                               : TestPicture(c.width, c.height, static_cast<unsigned>(c.width * 1000 + c.height));
    const size_t stride = static_cast<size_t>(c.width * c.bytesPerPixel + 3) / 4 * 4 + c.extraStride;
    const Bytes rows = CaptureRows(rgb, c.width, c.height, c.bytesPerPixel, stride);
    PngSource source;
    source.rows = rows.data();
    source.width = c.width;
    source.height = c.height;
    source.bytesPerPixel = c.bytesPerPixel;
    source.stride = c.extraStride == 0 ? 0 : stride;  // 0: the BMP stride
    std::string png;
    ASSERT_TRUE(EncodePng(source, png, c.options));
    Decoded d;
    ASSERT_TRUE(Decode(png, d));
    EXPECT_EQ(d.width, c.width);
    EXPECT_EQ(d.height, c.height);
    EXPECT_TRUE(d.rgb == rgb);
    if (c.width >= 3 && c.height >= 7 && !c.banded) {
      EXPECT_EQ(d.filters, (std::set<int>{0, 1, 2, 3, 4}));
    }
    if (c.options.strips) {
      EXPECT_EQ(d.idatChunks, std::min(c.options.strips, c.height));  // a chunk a strip
    } else if (c.options.threads == 2) {
      EXPECT_GT(d.idatChunks, 2);
    }
  }
}

TEST(PngEncoder, RefusesWhatItCannotEncode) {
  const Bytes pixels(64, 7);
  PngSource s;
  s.rows = pixels.data();
  s.width = 4;
  s.height = 4;
  std::string png = "old";
  s.bytesPerPixel = 2;
  EXPECT_FALSE(EncodePng(s, png));
  EXPECT_TRUE(png.empty());
  s.bytesPerPixel = 4;
  s.stride = 15;  // shorter than a row
  EXPECT_FALSE(EncodePng(s, png));
  s.stride = 0;
  s.height = 0;
  EXPECT_FALSE(EncodePng(s, png));
  s.height = 4;
  s.rows = nullptr;
  EXPECT_FALSE(EncodePng(s, png));

  // A BMP file in memory: 2x2, 24 bits, rows of 8 bytes.
  std::string bmp = "BM";
  bmp.resize(54 + 16, '\0');
  auto put32 = [&bmp](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
  };
  put32(10, 54);
  put32(14, 40);
  put32(18, 2);
  put32(22, 2);
  bmp[26] = 1;
  bmp[28] = 24;
  const auto* data = reinterpret_cast<const unsigned char*>(bmp.data());
  PngSource fromBmp;
  ASSERT_TRUE(PngSourceFromBmp(data, bmp.size(), fromBmp));
  EXPECT_EQ(fromBmp.rows, data + 54);
  EXPECT_EQ(fromBmp.stride, 8u);
  EXPECT_EQ(fromBmp.bytesPerPixel, 3);
  EXPECT_FALSE(PngSourceFromBmp(data, bmp.size() - 1, fromBmp));  // the last row cut short
  bmp[28] = 16;
  EXPECT_FALSE(PngSourceFromBmp(data, bmp.size(), fromBmp));
  bmp[28] = 24;
  put32(22, static_cast<uint32_t>(-2));  // top-down
  EXPECT_FALSE(PngSourceFromBmp(data, bmp.size(), fromBmp));
  put32(22, 2);
  put32(10, 0xFFFFFFF0u);  // pixels far past the end
  EXPECT_FALSE(PngSourceFromBmp(data, bmp.size(), fromBmp));
}

class PngFile : public TempFolderTest {};

// The file another decoder reads: Python's zlib inflates the IDATs and the
// rows are unfiltered there, against the raw RGB written beside it.
TEST_F(PngFile, PythonsZlibReadsTheWrittenFile) {
  const int width = 33, height = 29;
  const Bytes rgb = TestPicture(width, height, 5);
  const Bytes rows = CaptureRows(rgb, width, height, 4, static_cast<size_t>(width) * 4);
  PngSource source;
  source.rows = rows.data();
  source.width = width;
  source.height = height;
  ASSERT_TRUE(WritePngFile(PathOf("shot.png"), source));
  ASSERT_TRUE(file::WriteAtomic(PathOf("shot.rgb"), std::string(rgb.begin(), rgb.end())));
  const std::string script = R"PY(
import struct, sys, zlib
data = open(sys.argv[1] + "/shot.png", "rb").read()
at, idat = 8, b""
while at < len(data):
    size, kind = struct.unpack(">I4s", data[at:at + 8])
    if kind == b"IHDR": w, h = struct.unpack(">II", data[at + 8:at + 16])
    if kind == b"IDAT": idat += data[at + 8:at + 8 + size]
    at += size + 12
raw, n, out, prior = zlib.decompress(idat), w * 3, bytearray(), bytearray(w * 3)
for y in range(h):
    f, row = raw[y * (n + 1)], bytearray(raw[y * (n + 1) + 1:(y + 1) * (n + 1)])
    for i in range(n):
        a = row[i - 3] if i >= 3 else 0
        b, c = prior[i], (prior[i - 3] if i >= 3 else 0)
        pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
        p = [0, a, b, (a + b) // 2, a if pa <= pb and pa <= pc else b if pb <= pc else c][f]
        row[i] = (row[i] + p) & 255
    out += row
    prior = row
sys.exit(0 if out == open(sys.argv[1] + "/shot.rgb", "rb").read() else 1)
)PY";
  ASSERT_TRUE(file::WriteAtomic(PathOf("read.py"), script));
  EXPECT_EQ(std::system(("python3 '" + dir_ + "/read.py' '" + dir_ + "'").c_str()), 0);
}

}  // namespace
