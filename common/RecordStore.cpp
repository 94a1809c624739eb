#include "common/RecordStore.h"

bool WriteRecordFile(const std::string& programFolder, const std::string& relativePath, const std::string& bytes) {
  std::string path = programFolder + relativePath;
  size_t slash = relativePath.find_last_of("\\/");
  if (slash != std::string::npos && !file::CreateDir(programFolder + relativePath.substr(0, slash))) return false;
  return file::WriteAtomic(path, bytes);
}
