// URL query escaping of search words as the web search and the removal
// report expect it: the GBK/GB18030 bytes of the text, with ASCII letters and
// digits kept and every other byte (space included) written as "%XX".
#pragma once
#include <string>
#include <string_view>

std::string PercentEncode(std::string_view utf8);
