// Times, attributes and folders of extracted and installed files, through
// the platform.
#pragma once
#include <cstdint>
#include <string>

namespace filestatus {

// A DOS date and time as zip records hold it: date in the high 16 bits, time
// in the low 16 bits, local time, two-second resolution.
struct DosTime {
  int year, month, day, hour, minute, second;
};
inline DosTime DecodeDosDateTime(uint32_t value) {
  uint32_t date = value >> 16, time = value & 0xFFFF;
  return DosTime{static_cast<int>(1980 + (date >> 9)), static_cast<int>((date >> 5) & 15),
                 static_cast<int>(date & 31),          static_cast<int>(time >> 11),
                 static_cast<int>((time >> 5) & 63),   static_cast<int>((time & 31) * 2)};
}

// Created and accessed times become now, the modified time the DOS date and
// time. Where the file system keeps only some of these, only those are set.
bool SetTimes(const std::string& path, uint32_t dosDateTime);

// DOS attribute bits: read-only 0x01, hidden 0x02, system 0x04, archive
// 0x20; other bits are ignored. 0 leaves a plain, writable file.
bool SetAttributes(const std::string& path, uint32_t attributes);

// Gives to the modified time of from, as a copy by the system keeps it, so
// that an installed file shows the date and time its package gave it.
bool CopyModifiedTime(const std::string& from, const std::string& to);

// Removes the folder when it is empty; false when it is not, or is missing.
bool RemoveEmptyFolder(const std::string& path);

}  // namespace filestatus
