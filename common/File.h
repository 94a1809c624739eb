// File access for portable code. Paths are UTF-8 and may use "\" as the
// separator, as the program's own relative paths do ("data\plan.ini"); on
// POSIX hosts "\" is read as "/", so the same code runs in native tests.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace file {

struct Closer {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};
using FilePtr = std::unique_ptr<std::FILE, Closer>;

// The path as the host's file functions take it ("\" read as "/" on POSIX).
std::string HostPath(const std::string& path);

// fopen with a UTF-8 path (wide on Windows).
FilePtr Open(const std::string& path, const char* mode);

// Reads the whole file; false when it cannot be opened or read. A file larger
// than maxBytes is refused.
bool ReadAll(const std::string& path, std::string& out, uint64_t maxBytes = 256u << 20);

// Writes data to a temporary file in the same folder, flushes it to disk and
// moves it over path, so readers see either the old or the new file whole.
bool WriteAtomic(const std::string& path, std::string_view data);

// Moves from over to, replacing to (same volume), with write-through.
bool Replace(const std::string& from, const std::string& to);

bool Exists(const std::string& path);
bool IsDirectory(const std::string& path);
bool Remove(const std::string& path);
bool CreateDir(const std::string& path);  // one level; true when it exists afterwards
int64_t Size(const std::string& path);    // -1 when missing

// Names of the files in folder (its path ends with a separator) whose names
// end with suffix (ASCII case ignored), in the order the file system gives
// them; empty when the folder is missing.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& suffix);

// The name of a temporary file beside path, unique within this process:
// path + ".tmp" + process id + "_" + a counter.
std::string TempNameBeside(const std::string& path);
// Removes the temporary files beside path that a WriteAtomic killed before
// its move left behind (only names TempNameBeside makes). Call it only while
// no write of path is under way.
void RemoveStaleTemps(const std::string& path);

}  // namespace file
