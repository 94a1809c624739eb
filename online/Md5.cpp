#include "online/Md5.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/File.h"

namespace {

inline uint32_t RotateLeft(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

// The four rounds' mixing functions, in forms that need few operations; G
// adds two disjoint bit sets, so that its half without b can start early.
inline uint32_t F(uint32_t x, uint32_t y, uint32_t z) { return z ^ (x & (y ^ z)); }
inline uint32_t G(uint32_t x, uint32_t y, uint32_t z) { return (x & z) + (y & ~z); }
inline uint32_t H(uint32_t x, uint32_t y, uint32_t z) { return x ^ y ^ z; }
inline uint32_t I(uint32_t x, uint32_t y, uint32_t z) { return y ^ (x | ~z); }

template <uint32_t (*Mix)(uint32_t, uint32_t, uint32_t)>
inline void Step(uint32_t& a, uint32_t b, uint32_t c, uint32_t d, uint32_t x, uint32_t t, int s) {
  a = b + RotateLeft(a + Mix(b, c, d) + x + t, s);
}

// The constants floor(abs(sin(i + 1)) * 2^32), one per step.
constexpr uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

}  // namespace

CMd5::CMd5() { Reset(); }

void CMd5::Reset() {
  state_[0] = 0x67452301;
  state_[1] = 0xefcdab89;
  state_[2] = 0x98badcfe;
  state_[3] = 0x10325476;
  bitCount_ = 0;
  buffered_ = 0;
}

void CMd5::Transform(const uint8_t block[64]) {
  uint32_t x[16];
  for (int i = 0; i < 16; ++i)  // the message words are little-endian
    x[i] = uint32_t(block[i * 4]) | uint32_t(block[i * 4 + 1]) << 8 | uint32_t(block[i * 4 + 2]) << 16 |
           uint32_t(block[i * 4 + 3]) << 24;
  uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
  // Four steps a turn, the registers rotating by one each step; every loop
  // has a fixed count and is unrolled whole by the compiler. Round r takes
  // message word (k * i + m) mod 16 at step i.
  for (int i = 0; i < 16; i += 4) {
    Step<F>(a, b, c, d, x[i], kSine[i], 7);
    Step<F>(d, a, b, c, x[i + 1], kSine[i + 1], 12);
    Step<F>(c, d, a, b, x[i + 2], kSine[i + 2], 17);
    Step<F>(b, c, d, a, x[i + 3], kSine[i + 3], 22);
  }
  for (int i = 16; i < 32; i += 4) {
    Step<G>(a, b, c, d, x[(5 * i + 1) & 15], kSine[i], 5);
    Step<G>(d, a, b, c, x[(5 * i + 6) & 15], kSine[i + 1], 9);
    Step<G>(c, d, a, b, x[(5 * i + 11) & 15], kSine[i + 2], 14);
    Step<G>(b, c, d, a, x[(5 * i + 16) & 15], kSine[i + 3], 20);
  }
  for (int i = 32; i < 48; i += 4) {
    Step<H>(a, b, c, d, x[(3 * i + 5) & 15], kSine[i], 4);
    Step<H>(d, a, b, c, x[(3 * i + 8) & 15], kSine[i + 1], 11);
    Step<H>(c, d, a, b, x[(3 * i + 11) & 15], kSine[i + 2], 16);
    Step<H>(b, c, d, a, x[(3 * i + 14) & 15], kSine[i + 3], 23);
  }
  for (int i = 48; i < 64; i += 4) {
    Step<I>(a, b, c, d, x[(7 * i) & 15], kSine[i], 6);
    Step<I>(d, a, b, c, x[(7 * i + 7) & 15], kSine[i + 1], 10);
    Step<I>(c, d, a, b, x[(7 * i + 14) & 15], kSine[i + 2], 15);
    Step<I>(b, c, d, a, x[(7 * i + 21) & 15], kSine[i + 3], 21);
  }
  state_[0] += a;
  state_[1] += b;
  state_[2] += c;
  state_[3] += d;
}

void CMd5::Update(const void* data, size_t length) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  bitCount_ += static_cast<uint64_t>(length) * 8;
  if (buffered_ > 0) {
    size_t take = std::min(length, sizeof buffer_ - buffered_);
    std::memcpy(buffer_ + buffered_, p, take);
    buffered_ += take;
    p += take;
    length -= take;
    if (buffered_ < sizeof buffer_) return;
    Transform(buffer_);
    buffered_ = 0;
  }
  for (; length >= 64; p += 64, length -= 64) Transform(p);
  std::memcpy(buffer_, p, length);
  buffered_ = length;
}

void CMd5::Final(uint8_t digest[16]) {
  uint64_t bits = bitCount_;
  // Pad with 0x80 and zeros to 56 bytes mod 64, then the bit count, little-endian.
  static const uint8_t kPadding[64] = {0x80};
  size_t padLength = buffered_ < 56 ? 56 - buffered_ : 120 - buffered_;
  Update(kPadding, padLength);
  uint8_t length[8];
  for (int i = 0; i < 8; ++i) length[i] = static_cast<uint8_t>(bits >> (8 * i));
  Update(length, 8);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) digest[i * 4 + j] = static_cast<uint8_t>(state_[i] >> (8 * j));
  Reset();
}

std::string CMd5::Hex(const uint8_t digest[16]) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (int i = 0; i < 16; ++i) {
    out += kHex[digest[i] >> 4];
    out += kHex[digest[i] & 15];
  }
  return out;
}

std::string CMd5::HexOf(std::string_view data) {
  CMd5 md5;
  md5.Update(data.data(), data.size());
  uint8_t digest[16];
  md5.Final(digest);
  return Hex(digest);
}

int FileMd5Hex(const std::string& path, std::string& text) {
  file::FilePtr f = file::Open(path, "rb");
  if (!f) return -1;
  CMd5 md5;
  std::vector<char> buffer(64 * 1024);
  size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), f.get())) > 0) md5.Update(buffer.data(), n);
  if (std::ferror(f.get())) return -1;
  uint8_t digest[16];
  md5.Final(digest);
  text += CMd5::Hex(digest);
  return 0;
}
