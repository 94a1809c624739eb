#include "online/PeImage.h"

#include <cstdint>

namespace {

// Offsets of the PE/COFF format that the check reads.
constexpr size_t kDosHeaderBytes = 64;
constexpr size_t kNewHeaderOffsetAt = 0x3C;  // e_lfanew
constexpr size_t kFileHeaderBytes = 20;      // after the 4-byte signature
constexpr size_t kSectionHeaderBytes = 40;
constexpr uint16_t kMachineAmd64 = 0x8664;
constexpr uint16_t kOptionalMagicPe32Plus = 0x20B;
constexpr size_t kSizeOfHeadersAt = 60;   // in the PE32+ optional header
constexpr size_t kSectionRawSizeAt = 16;  // in a section header
constexpr size_t kSectionRawOffsetAt = 20;

uint32_t Read16(std::string_view s, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(s[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8;
}

uint32_t Read32(std::string_view s, size_t at) { return Read16(s, at) | Read16(s, at + 2) << 16; }

// True when [offset, offset + length) lies inside a file of size bytes.
bool Inside(uint64_t offset, uint64_t length, uint64_t size) { return offset <= size && length <= size - offset; }

}  // namespace

bool IsWholeX64Image(std::string_view file) {
  const uint64_t size = file.size();
  if (size < kDosHeaderBytes || file[0] != 'M' || file[1] != 'Z') return false;
  const uint64_t pe = Read32(file, kNewHeaderOffsetAt);
  if (!Inside(pe, 4 + kFileHeaderBytes, size) || file.substr(pe, 4) != std::string_view("PE\0\0", 4)) return false;
  const uint64_t fileHeader = pe + 4;
  const uint32_t machine = Read16(file, fileHeader);
  const uint32_t sections = Read16(file, fileHeader + 2);
  const uint32_t optionalBytes = Read16(file, fileHeader + 16);
  const uint64_t optional = fileHeader + kFileHeaderBytes;
  if (machine != kMachineAmd64 || sections == 0 || optionalBytes < kSizeOfHeadersAt + 4 ||
      !Inside(optional, optionalBytes, size) || Read16(file, optional) != kOptionalMagicPe32Plus)
    return false;
  const uint64_t table = optional + optionalBytes;
  if (!Inside(table, uint64_t{sections} * kSectionHeaderBytes, size)) return false;
  if (!Inside(0, Read32(file, optional + kSizeOfHeadersAt), size)) return false;
  for (uint32_t i = 0; i < sections; ++i) {
    const uint64_t header = table + uint64_t{i} * kSectionHeaderBytes;
    // A section of uninitialised data only has no bytes in the file.
    const uint32_t rawSize = Read32(file, header + kSectionRawSizeAt);
    if (rawSize != 0 && !Inside(Read32(file, header + kSectionRawOffsetAt), rawSize, size)) return false;
  }
  return true;
}
