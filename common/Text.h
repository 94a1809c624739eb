// Text conversions. Inside the program text is UTF-8; the Win32 boundary
// takes wide text (UTF-16 on Windows); data files hold GBK, read and written
// as GB18030, which is byte-identical to GBK for every GBK character.
// This module is the only place that converts between encodings.
#pragma once
#include <string>
#include <string_view>

namespace text {

// UTF-8 to wide text and back. Invalid UTF-8 bytes become U+FFFD; a lone
// surrogate in wide text becomes U+FFFD.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// GB18030 bytes to UTF-8 and back. Every Unicode character has a GB18030
// code, so the encoder loses nothing; bytes that are not GB18030 decode as
// U+FFFD. The single byte 0x80 is "€", as code page 936 has it, and "€" is
// written as 0x80.
std::string FromGb(std::string_view gb);
std::string ToGb(std::string_view utf8);
// As FromGb; exact is set to whether ToGb gives the same bytes back (false
// after bytes that are not GB18030, or a second code of a character).
std::string FromGb(std::string_view gb, bool& exact);

// ASCII-only helpers used by the readers of our data files.
std::string Trim(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view s, std::string_view prefix);
// <0, 0 or >0 as a sorts before, with or after b (bytes, ASCII case ignored).
int CompareNoCase(std::string_view a, std::string_view b);

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace text
