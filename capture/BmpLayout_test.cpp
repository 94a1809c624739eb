#include "capture/BmpLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

uint32_t Get32(const std::string& b, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[at + static_cast<size_t>(i)]);
  return v;
}

TEST(BmpLayout, ColourClassesAndTables) {
  struct Case {
    int planes, bits, cls;
    uint32_t entries;
  } cases[] = {{1, 1, 1, 2},      {1, 2, 4, 16},  {1, 4, 4, 16}, {4, 1, 4, 16}, {1, 8, 8, 256},
               {1, 15, 16, 65536}, {1, 16, 16, 65536}, {1, 24, 24, 0}, {1, 32, 32, 0}};
  for (const Case& c : cases) {
    BmpLayout l;
    ASSERT_TRUE(ComputeBmpLayout(10, 3, c.planes, c.bits, l));
    EXPECT_EQ(l.colourClass, c.cls) << c.planes << "x" << c.bits;
    EXPECT_EQ(l.tableEntries, c.entries) << c.planes << "x" << c.bits;
    EXPECT_EQ(l.offBits, 54 + 4 * c.entries);
    EXPECT_EQ(l.imageSize, (10 + 7) / 8 * static_cast<uint32_t>(c.cls) * 3);
    EXPECT_EQ(l.fileSize, l.offBits + l.imageSize);
    EXPECT_GE(l.blockSize, l.stride * 3);
    EXPECT_GE(l.blockSize, l.imageSize);
  }
}

TEST(BmpLayout, ScreenSizedHeaders) {
  BmpLayout l;
  ASSERT_TRUE(ComputeBmpLayout(1280, 800, 1, 16, l));
  std::string h = BmpHeaderBytes(l);
  ASSERT_EQ(h.size(), 54u);
  EXPECT_EQ(Get32(h, 10), 14u + 40 + 4 * 65536);
  EXPECT_EQ(Get32(h, 46), 65536u);
  EXPECT_EQ(Get32(h, 34), 160u * 16 * 800);

  ASSERT_TRUE(ComputeBmpLayout(1280, 800, 1, 32, l));
  h = BmpHeaderBytes(l);
  const std::string expected =
      std::string("BM", 2) + std::string("\x36\x80\x3E\x00", 4)  // 54 + 160*32*800 = 0x003E8036
      + std::string(4, '\0') + std::string("\x36\0\0\0", 4)      // reserved, bfOffBits 54
      + std::string("\x28\0\0\0", 4)                             // biSize 40
      + std::string("\x00\x05\0\0", 4) + std::string("\x20\x03\0\0", 4)  // 1280 x 800
      + std::string("\x01\0\x20\0", 4)                           // planes 1, 32 bits
      + std::string(4, '\0') + std::string("\x00\x80\x3E\x00", 4)  // BI_RGB, image size
      + std::string(16, '\0');                                   // resolutions, no table
  EXPECT_EQ(h, expected);
  EXPECT_EQ(l.stride, 5120u);
  EXPECT_EQ(l.blockSize, l.imageSize);
}

TEST(BmpLayout, OneBitRowsNeedMoreThanTheHeaderSize) {
  BmpLayout l;
  ASSERT_TRUE(ComputeBmpLayout(9, 5, 1, 1, l));
  EXPECT_EQ(l.imageSize, 2u * 5);  // the header keeps the formula's value
  EXPECT_EQ(l.stride, 4u);
  EXPECT_EQ(l.blockSize, 4u * 5);  // GetDIBits writes whole padded rows
  EXPECT_EQ(Get32(BmpHeaderBytes(l), 34), 10u);
}

TEST(BmpLayout, RefusesEmptyAndOversizedBitmaps) {
  BmpLayout l;
  EXPECT_FALSE(ComputeBmpLayout(0, 10, 1, 32, l));
  EXPECT_FALSE(ComputeBmpLayout(10, 0, 1, 32, l));
  EXPECT_FALSE(ComputeBmpLayout(-4, 10, 1, 32, l));
  EXPECT_FALSE(ComputeBmpLayout(40000, 40000, 1, 32, l));
  EXPECT_TRUE(ComputeBmpLayout(8000, 8000, 1, 32, l));
}

}  // namespace
