// The web search of the management center: the address template
// "[SEARCH_URL]" of "data\main.htm" with every "KEY" replaced by the
// percent-encoded search words, and the text shown in the empty search box.
#pragma once
#include <string>
#include <string_view>

class CSectionFile;

namespace search {

// A real web search service, opened (without the words) when the page names none.
constexpr char kDefaultAddress[] = "https://www.baidu.com/";
constexpr char kDefaultWord[] = "搜索关键字";

// The address to open for the typed text: the text is trimmed and encoded as
// GBK bytes; an empty text removes each "KEY". An empty template gives the
// default address.
std::string BuildAddress(std::string_view urlTemplate, std::string_view typed);

// The address for the current page: reads "[SEARCH_URL]".
std::string AddressFor(CSectionFile& page, std::string_view typed);

// "[SEARCH_WORD]", or "搜索关键字" when the page gives none.
std::string SearchWord(CSectionFile& page);

}  // namespace search
