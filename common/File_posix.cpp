#include "common/File.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

#include "common/Text.h"

namespace file {
std::string HostPath(const std::string& path) {
  std::string p = path;
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

FilePtr Open(const std::string& path, const char* mode) { return FilePtr(std::fopen(HostPath(path).c_str(), mode)); }

std::string TempNameBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".tmp" + std::to_string(getpid()) + "_" + std::to_string(counter++);
}

bool Replace(const std::string& from, const std::string& to) {
  return std::rename(HostPath(from).c_str(), HostPath(to).c_str()) == 0;
}

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(HostPath(path).c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return ::stat(HostPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Remove(const std::string& path) { return ::unlink(HostPath(path).c_str()) == 0; }

bool CreateDir(const std::string& path) {
  return ::mkdir(HostPath(path).c_str(), 0755) == 0 || IsDirectory(path);
}

int64_t Size(const std::string& path) {
  struct stat st;
  if (::stat(HostPath(path).c_str(), &st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& suffix) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(HostPath(folder).c_str());
  if (!dir) return names;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name.size() >= suffix.size() &&
        text::EqualsNoCase(std::string_view(name).substr(name.size() - suffix.size()), suffix) &&
        !IsDirectory(folder + name))
      names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

}  // namespace file
