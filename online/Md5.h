// MD5 message digest (RFC 1321), fed in pieces.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CMd5 {
 public:
  CMd5();
  void Update(const void* data, size_t length);
  // Ends the message and gives the 16 digest bytes; the object starts over.
  void Final(uint8_t digest[16]);

  static std::string Hex(const uint8_t digest[16]);  // 32 lower-case digits
  static std::string HexOf(std::string_view data);

 private:
  void Reset();
  void Transform(const uint8_t block[64]);

  uint32_t state_[4];
  uint64_t bitCount_;
  uint8_t buffer_[64];
  size_t buffered_;
};

// MD5 of the whole file, appended to text as 32 lower-case hexadecimal
// digits: 0. -1 when the file cannot be opened or read; text is then unchanged.
int FileMd5Hex(const std::string& path, std::string& text);
