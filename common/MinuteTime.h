// A local time to the minute, as the plan file, the ledger's entry files and
// the editors' time lists hold it, and its text "2012-05-28 14:55".
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Compared field by field.
struct MinuteTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;

  bool operator<(const MinuteTime& o) const;
  bool operator==(const MinuteTime& o) const;
  bool operator<=(const MinuteTime& o) const { return !(o < *this); }
  bool operator!=(const MinuteTime& o) const { return !(*this == o); }
};

// Minutes counted from 1970-01-01 00:00, and back.
int64_t MinutesOf(const MinuteTime& t);
MinuteTime TimeOfMinutes(int64_t minutes);

// "%04d-%02d-%02d %02d:%02d": zero-padded, so text order is time order.
std::string FormatTimeText(const MinuteTime& t);
// false unless the text yields the five numbers.
bool ParseTimeText(std::string_view text, MinuteTime& t);
