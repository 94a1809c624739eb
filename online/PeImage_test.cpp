#include "online/PeImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

void Put16(std::string& s, size_t at, uint32_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>(v >> 8 & 0xFF);
}
void Put32(std::string& s, size_t at, uint32_t v) {
  Put16(s, at, v & 0xFFFF);
  Put16(s, at + 2, v >> 16);
}

// A small PE32+ image as the linker lays it out: headers in the first 0x200
// bytes, a code section of 0x200 bytes after them, and a section of
// uninitialised data that has no bytes in the file.
constexpr size_t kPe = 0x40, kOptional = kPe + 24, kTable = kOptional + 240;
std::string Image() {
  std::string s(0x400, '\0');
  s[0] = 'M';
  s[1] = 'Z';
  Put32(s, 0x3C, kPe);
  s.replace(kPe, 4, std::string("PE\0\0", 4));
  Put16(s, kPe + 4, 0x8664);
  Put16(s, kPe + 6, 2);
  Put16(s, kPe + 20, 240);
  Put16(s, kOptional, 0x20B);
  Put32(s, kOptional + 60, 0x200);
  s.replace(kTable, 5, ".text");
  Put32(s, kTable + 16, 0x200);
  Put32(s, kTable + 20, 0x200);
  s.replace(kTable + 40, 4, ".bss");
  return s;
}

TEST(PeImage, AWholeX64ImagePassesAndEveryCutOfItFails) {
  const std::string whole = Image();
  EXPECT_TRUE(IsWholeX64Image(whole));
  EXPECT_TRUE(IsWholeX64Image(whole + "overlay data after the sections"));
  for (size_t size : {size_t{0}, size_t{1}, size_t{2}, size_t{63}, size_t{64}, kPe + 4, kOptional + 10, kTable + 40,
                      size_t{0x1FF}, size_t{0x200}, size_t{0x3FF}})
    EXPECT_FALSE(IsWholeX64Image(whole.substr(0, size))) << size;
  EXPECT_FALSE(IsWholeX64Image("<html><body>404 Not Found</body></html>"));
  EXPECT_FALSE(IsWholeX64Image(std::string(0x400, '\0')));
}

TEST(PeImage, OtherMachinesFormatsAndOutOfFileOffsetsFail) {
  struct Change {
    const char* what;
    size_t at;
    uint32_t value;
    bool wide;
  };
  for (const Change& c : {Change{"i386 machine", kPe + 4, 0x14C, false},
                          {"arm64 machine", kPe + 4, 0xAA64, false},
                          {"PE32 optional header", kOptional, 0x10B, false},
                          {"no sections", kPe + 6, 0, false},
                          {"more section headers than the file holds", kPe + 6, 0xFFFF, false},
                          {"optional header too short", kPe + 20, 16, false},
                          {"signature past the end", 0x3C, 0x3F0, true},
                          {"signature far out", 0x3C, 0xFFFFFFFF, true},
                          {"headers larger than the file", kOptional + 60, 0x401, true},
                          {"section data past the end", kTable + 20, 0x201, true},
                          {"section offset that wraps round", kTable + 20, 0xFFFFFF00, true},
                          {"section size that wraps round", kTable + 16, 0xFFFFFFFF, true}}) {
    std::string s = Image();
    if (c.wide)
      Put32(s, c.at, c.value);
    else
      Put16(s, c.at, c.value);
    EXPECT_FALSE(IsWholeX64Image(s)) << c.what;
  }
  std::string badSignature = Image();
  badSignature[kPe + 2] = 'x';
  EXPECT_FALSE(IsWholeX64Image(badSignature));
  std::string notMz = Image();
  notMz[1] = 'Y';
  EXPECT_FALSE(IsWholeX64Image(notMz));
}

}  // namespace
