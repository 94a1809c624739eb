// Fields of the fixed little-endian settings records of the assistant.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/HotKey.h"

namespace record_bytes {
void PutInt32(std::string& out, size_t at, int32_t v);
int32_t GetInt32(std::string_view in, size_t at);
void PutHotKey(std::string& out, size_t at, const HotKey& k);
HotKey GetHotKey(std::string_view in, size_t at);
// GBK (GB18030) text cut to at most maxBytes without splitting a character.
std::string CutGb(const std::string& gb, size_t maxBytes);
// The text of a fixed field up to its first NUL (or its end), as UTF-8.
std::string FieldText(std::string_view field);
}  // namespace record_bytes
