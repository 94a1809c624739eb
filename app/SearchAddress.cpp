#include "app/SearchAddress.h"

#include "common/PercentEncode.h"
#include "common/SectionFile.h"
#include "common/Text.h"

namespace search {

std::string BuildAddress(std::string_view urlTemplate, std::string_view typed) {
  if (urlTemplate.empty()) return kDefaultAddress;
  static constexpr std::string_view kKey = "KEY";
  const std::string words = PercentEncode(text::Trim(typed));
  // Left to right without rescanning, so words that encode to "KEY" stay.
  std::string out;
  size_t from = 0;
  for (size_t at; (at = urlTemplate.find(kKey, from)) != std::string_view::npos; from = at + kKey.size()) {
    out.append(urlTemplate.substr(from, at - from));
    out += words;
  }
  out.append(urlTemplate.substr(from));
  return out;
}

std::string AddressFor(CSectionFile& page, std::string_view typed) {
  return BuildAddress(page.GetValue("[SEARCH_URL]"), typed);
}

std::string SearchWord(CSectionFile& page) {
  std::string word = page.GetValue("[SEARCH_WORD]");
  return word.empty() ? std::string(kDefaultWord) : word;
}

}  // namespace search
