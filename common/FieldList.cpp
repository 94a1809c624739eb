#include "common/FieldList.h"

#include "common/Text.h"

int CFieldList::Split(std::string_view line, char separator, bool trim) {
  fields_.clear();
  size_t start = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] != separator) continue;
    std::string_view field = line.substr(start, i - start);
    fields_.push_back(trim ? text::Trim(field) : std::string(field));
    start = i + 1;
  }
  return Count();
}
