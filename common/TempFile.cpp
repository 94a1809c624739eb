#include "common/TempFile.h"

#include "common/File.h"

namespace file {

bool CTempFile::ReplaceOver(const std::string& target) {
  committed_ = !file_ && opened_ && Replace(path_, target);
  return committed_;
}

}  // namespace file
