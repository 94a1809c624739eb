#include "common/Text.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace {

std::string Iconv(const char* to, const char* from, const std::string& in) {
  iconv_t cd = iconv_open(to, from);
  std::string out(in.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  char* dst = &out[0];
  size_t inLeft = in.size(), outLeft = out.size();
  size_t r = iconv(cd, &src, &inLeft, &dst, &outLeft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return "<error>";
  out.resize(out.size() - outLeft);
  return out;
}

TEST(TextGb, GbkTextIsByteIdenticalToGbk) {
  const std::string utf8 = "截屏管理 程序己在运行中 ABC 123";
  std::string gb = text::ToGb(utf8);
  EXPECT_EQ(gb, Iconv("GBK", "UTF-8", utf8));
  EXPECT_EQ(text::FromGb(gb), utf8);
  EXPECT_EQ(text::ToGb("中"), "\xD6\xD0");
}

TEST(TextGb, EveryCodePointRoundTripsAndMatchesIconv) {
  // Every scalar value of the BMP and a sample of the other planes.
  int mismatches = 0;
  for (char32_t cp = 1; cp <= 0x10FFFF; cp = cp < 0xFFFF ? cp + 1 : cp + 97) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    std::string utf8 = Iconv("UTF-8", "UTF-32LE", std::string(reinterpret_cast<const char*>(&cp), 4));
    std::string expected = Iconv("GB18030", "UTF-8", utf8);
    // A few private-use code points lost their codes when their characters
    // got standard code points; nothing can encode them.
    if (expected == "<error>") continue;
    std::string gb = text::ToGb(utf8);
    if (text::FromGb(gb) != utf8) {
      ADD_FAILURE() << "no round trip for U+" << std::hex << static_cast<uint32_t>(cp);
      if (++mismatches > 5) return;
    }
    // The six row-FE codes keep their private-use meaning (as Windows does).
    bool rowFe = cp == 0xE816 || cp == 0xE817 || cp == 0xE818 || cp == 0xE831 || cp == 0xE83B ||
                 cp == 0xE855 || cp == 0x20087 || cp == 0x20089 || cp == 0x200CC || cp == 0x215D7 ||
                 cp == 0x2298F || cp == 0x241FE;
    // "€" is 0x80, as in code page 936 (GB18030 has it at A2 E3 too).
    if (cp == 0x20AC) expected = "\x80";
    if (!rowFe && gb != expected) {
      ADD_FAILURE() << "differs from iconv for U+" << std::hex << static_cast<uint32_t>(cp);
      if (++mismatches > 5) return;
    }
  }
}

TEST(TextGb, InvalidBytesDecodeAsReplacement) {
  bool exact = false;
  EXPECT_EQ(text::FromGb("a\x80" "b\xA2\xE3", exact), "a€b€");  // code page 936's and GB18030's "€"
  EXPECT_FALSE(exact);  // A2 E3 is written back as 0x80
  EXPECT_EQ(text::FromGb("a\x80\xD6\xD0\x84\x31\xA4\x37", exact), "a€中\xEF\xBF\xBD");
  EXPECT_TRUE(exact);
  EXPECT_EQ(text::ToGb("€"), "\x80");
  EXPECT_EQ(text::FromGb("\xFF", exact), "\xEF\xBF\xBD");
  EXPECT_FALSE(exact);
  EXPECT_EQ(text::FromGb("\xD6"), "\xEF\xBF\xBD");          // lead byte at the end
  EXPECT_EQ(text::FromGb("\x81\x30\x81"), "\xEF\xBF\xBD" "0\xEF\xBF\xBD");  // cut four-byte code
  EXPECT_EQ(text::FromGb("\xFF"), "\xEF\xBF\xBD");
}

TEST(TextWide, RoundTripIncludingSupplementary) {
  const std::string s = "a中\xF0\x9F\x98\x80z";
  std::wstring w = text::Widen(s);
  EXPECT_EQ(text::Narrow(w), s);
  if (sizeof(wchar_t) == 2) {
    EXPECT_EQ(w.size(), 5u);
  }
}

TEST(TextWide, InvalidUtf8BecomesReplacement) {
  EXPECT_EQ(text::Narrow(text::Widen("\xC0\xAF")), "\xEF\xBF\xBD\xEF\xBF\xBD");  // overlong
  EXPECT_EQ(text::Narrow(text::Widen("\xED\xA0\x80")), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // surrogate
  EXPECT_EQ(text::Narrow(text::Widen("\xE4\xB8")), "\xEF\xBF\xBD\xEF\xBF\xBD");  // cut
}

TEST(TextHelpers, TrimCaseAndFormat) {
  EXPECT_EQ(text::Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(text::Trim("   "), "");
  EXPECT_TRUE(text::EqualsNoCase("[Home_Page]", "[HOME_PAGE]"));
  EXPECT_FALSE(text::EqualsNoCase("[HOME]", "[HOME_PAGE]"));
  EXPECT_TRUE(text::StartsWithNoCase("main_page_end x", "MAIN_PAGE_END"));
  EXPECT_EQ(text::Format("%04d-%02d", 7, 3), "0007-03");
  EXPECT_EQ(text::Format("%s", std::string(5000, 'x').c_str()).size(), 5000u);
}

}  // namespace
