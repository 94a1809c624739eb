#include "online/FileStatus.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include "common/File.h"

namespace filestatus {

bool SetTimes(const std::string& path, uint32_t dosDateTime) {
  DosTime d = DecodeDosDateTime(dosDateTime);
  std::tm local{};
  local.tm_year = d.year - 1900;
  local.tm_mon = d.month - 1;
  local.tm_mday = d.day;
  local.tm_hour = d.hour;
  local.tm_min = d.minute;
  local.tm_sec = d.second;
  local.tm_isdst = -1;
  std::time_t modified = std::mktime(&local);
  if (modified == static_cast<std::time_t>(-1)) return false;
  timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_NOW;  // accessed
  times[1].tv_sec = modified;
  times[1].tv_nsec = 0;
  return ::utimensat(AT_FDCWD, file::HostPath(path).c_str(), times, 0) == 0;
}

bool SetAttributes(const std::string& path, uint32_t attributes) {
  std::string native = file::HostPath(path);
  struct stat st;
  if (::stat(native.c_str(), &st) != 0) return false;
  mode_t mode = st.st_mode & 07777;
  mode = (attributes & 0x01) ? (mode & ~mode_t(0222)) : (mode | S_IWUSR);
  return ::chmod(native.c_str(), mode) == 0;
}

bool CopyModifiedTime(const std::string& from, const std::string& to) {
  struct stat st;
  if (::stat(file::HostPath(from).c_str(), &st) != 0) return false;
  timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;  // accessed
  times[1] = st.st_mtim;
  return ::utimensat(AT_FDCWD, file::HostPath(to).c_str(), times, 0) == 0;
}

bool RemoveEmptyFolder(const std::string& path) { return ::rmdir(file::HostPath(path).c_str()) == 0; }

}  // namespace filestatus
