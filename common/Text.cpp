#include "common/Text.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace text {
namespace {

#include "common/Gb18030Tables.inc"

constexpr char32_t kReplacement = 0xFFFD;
constexpr uint32_t kFourByteBmpLast = 39419;      // 84 31 A4 39
constexpr uint32_t kFourByteSupplementary = 189000;  // 90 30 81 30

// Decodes one UTF-8 sequence at s[i]; advances i. Overlong forms, surrogates
// and values beyond U+10FFFF count as invalid (one byte consumed).
char32_t DecodeUtf8(std::string_view s, size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) {
    ++i;
    return c;
  }
  int len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
  if (len == 0 || c > 0xF4 || i + len > s.size()) {
    ++i;
    return kReplacement;
  }
  char32_t cp = c & (0x7F >> len);
  for (int k = 1; k < len; ++k) {
    unsigned char t = static_cast<unsigned char>(s[i + k]);
    if ((t & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (t & 0x3F);
  }
  static const char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return kReplacement;
  }
  i += len;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Reverse of the two-byte table, sorted by code point; built on first use.
const std::vector<std::pair<uint16_t, uint16_t>>& TwoByteByCodePoint() {
  static const std::vector<std::pair<uint16_t, uint16_t>> table = [] {
    std::vector<std::pair<uint16_t, uint16_t>> t;
    t.reserve(126 * 190);
    for (int i = 0; i < 126 * 190; ++i) {
      if (kTwoByte[i] == 0) continue;
      int trail = i % 190;
      uint16_t code = static_cast<uint16_t>(((0x81 + i / 190) << 8) | (trail < 63 ? 0x40 + trail : 0x41 + trail));
      t.emplace_back(kTwoByte[i], code);
    }
    // Where two codes share a code point, the first (lowest) code wins.
    std::stable_sort(t.begin(), t.end(), [](auto& a, auto& b) { return a.first < b.first; });
    return t;
  }();
  return table;
}

void AppendFourByte(std::string& out, uint32_t linear) {
  char b[4];
  b[3] = static_cast<char>(0x30 + linear % 10);
  linear /= 10;
  b[2] = static_cast<char>(0x81 + linear % 126);
  linear /= 126;
  b[1] = static_cast<char>(0x30 + linear % 10);
  linear /= 10;
  b[0] = static_cast<char>(0x81 + linear);
  out.append(b, 4);
}

constexpr char32_t kEuro = 0x20AC;
constexpr unsigned char kEuroByte = 0x80;  // code page 936's one-byte "€"

void AppendGb(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
    return;
  }
  if (cp == kEuro) {
    out += static_cast<char>(kEuroByte);
    return;
  }
  if (cp >= 0x10000) {
    AppendFourByte(out, kFourByteSupplementary + (cp - 0x10000));
    return;
  }
  const auto& two = TwoByteByCodePoint();
  auto it = std::lower_bound(two.begin(), two.end(), cp,
                             [](const std::pair<uint16_t, uint16_t>& e, char32_t v) { return e.first < v; });
  if (it != two.end() && it->first == cp) {
    out += static_cast<char>(it->second >> 8);
    out += static_cast<char>(it->second & 0xFF);
    return;
  }
  for (const FourByteRun& r : kFourByteRuns) {
    if (cp >= r.ucs && cp < static_cast<char32_t>(r.ucs) + r.count) {
      AppendFourByte(out, r.linear + (cp - r.ucs));
      return;
    }
  }
  out += '?';  // only surrogate code points get here
}

char32_t FourByteToCodePoint(uint32_t linear) {
  if (linear >= kFourByteSupplementary) {
    uint32_t cp = 0x10000 + (linear - kFourByteSupplementary);
    return cp <= 0x10FFFF ? cp : kReplacement;
  }
  if (linear > kFourByteBmpLast) return kReplacement;
  for (const FourByteRun& r : kFourByteRuns) {
    if (linear >= r.linear && linear < static_cast<uint32_t>(r.linear) + r.count) return r.ucs + (linear - r.linear);
  }
  return kReplacement;
}

// For each two-byte code: whether AppendGb writes its character otherwise.
const std::vector<bool>& TwoByteIsSecondCode() {
  static const std::vector<bool> table = [] {
    std::vector<bool> t(126 * 190, false);
    std::string code;
    for (int i = 0; i < 126 * 190; ++i) {
      if (kTwoByte[i] == 0) continue;
      code.clear();
      AppendGb(code, kTwoByte[i]);
      int trail = i % 190;
      t[i] = code.size() != 2 || static_cast<unsigned char>(code[0]) != 0x81 + i / 190 ||
             static_cast<unsigned char>(code[1]) != (trail < 63 ? 0x40 + trail : 0x41 + trail);
    }
    return t;
  }();
  return table;
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = DecodeUtf8(utf8, i);
    if (sizeof(wchar_t) == 2 && cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (cp >> 10));
      out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<wchar_t>(cp);
    }
  }
  return out;
}

std::string Narrow(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    char32_t cp = static_cast<char32_t>(wide[i]);
    if (sizeof(wchar_t) == 2 && cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size() &&
        static_cast<char32_t>(wide[i + 1]) >= 0xDC00 && static_cast<char32_t>(wide[i + 1]) <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char32_t>(wide[i + 1]) - 0xDC00);
      ++i;
    } else if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

std::string FromGb(std::string_view gb) {
  bool exact;
  return FromGb(gb, exact);
}

std::string FromGb(std::string_view gb, bool& exact) {
  exact = true;
  const std::vector<bool>& secondCode = TwoByteIsSecondCode();
  std::string out;
  out.reserve(gb.size() * 3 / 2);
  size_t i = 0;
  auto byte = [&](size_t k) { return static_cast<unsigned char>(gb[k]); };
  while (i < gb.size()) {
    unsigned char b0 = byte(i);
    if (b0 < 0x80) {
      // Runs of ASCII go over whole.
      size_t end = i + 1;
      while (end < gb.size() && byte(end) < 0x80) ++end;
      out.append(gb.data() + i, end - i);
      i = end;
      continue;
    }
    if (b0 == kEuroByte) {
      AppendUtf8(out, kEuro);
      ++i;
      continue;
    }
    if (b0 >= 0x81 && b0 <= 0xFE && i + 1 < gb.size()) {
      unsigned char b1 = byte(i + 1);
      if (b1 >= 0x40 && b1 <= 0xFE && b1 != 0x7F) {
        int index = (b0 - 0x81) * 190 + (b1 < 0x7F ? b1 - 0x40 : b1 - 0x41);
        uint16_t cp = kTwoByte[index];
        if (!cp || secondCode[index]) exact = false;
        AppendUtf8(out, cp ? cp : kReplacement);
        i += 2;
        continue;
      }
      if (b1 >= 0x30 && b1 <= 0x39 && i + 3 < gb.size()) {
        unsigned char b2 = byte(i + 2), b3 = byte(i + 3);
        if (b2 >= 0x81 && b2 <= 0xFE && b3 >= 0x30 && b3 <= 0x39) {
          uint32_t linear = (((b0 - 0x81) * 10u + (b1 - 0x30)) * 126u + (b2 - 0x81)) * 10u + (b3 - 0x30);
          char32_t cp = FourByteToCodePoint(linear);
          std::string back;
          AppendGb(back, cp);
          if (back != gb.substr(i, 4)) exact = false;
          AppendUtf8(out, cp);
          i += 4;
          continue;
        }
      }
    }
    AppendUtf8(out, kReplacement);
    exact = false;
    ++i;
  }
  return out;
}

std::string ToGb(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) AppendGb(out, DecodeUtf8(utf8, i));
  return out;
}

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
}  // namespace

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

int CompareNoCase(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int ca = static_cast<unsigned char>(Lower(a[i])), cb = static_cast<unsigned char>(Lower(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

std::string Format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  std::string out;
  if (n > 0) {
    out.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(&out[0], out.size(), fmt, args);
    out.resize(static_cast<size_t>(n));
  }
  va_end(args);
  return out;
}

}  // namespace text
