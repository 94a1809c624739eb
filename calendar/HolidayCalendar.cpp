#include "calendar/HolidayCalendar.h"

#include <algorithm>

#include "common/CivilDate.h"
#include "common/File.h"
#include "common/Text.h"

namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";  // U+3000, typed between Chinese words
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";       // what bytes that are not GB18030 become

bool IsBlankAt(std::string_view s, size_t i, size_t& width) {
  if (s[i] == ' ' || s[i] == '\t') {
    width = 1;
    return true;
  }
  if (s.substr(i, kIdeographicSpace.size()) == kIdeographicSpace) {
    width = kIdeographicSpace.size();
    return true;
  }
  return false;
}

std::string_view TrimBlanks(std::string_view s) {
  size_t width = 0;
  while (!s.empty() && IsBlankAt(s, 0, width)) s.remove_prefix(width);
  for (;;) {
    if (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
      s.remove_suffix(1);
    } else if (s.size() >= kIdeographicSpace.size() &&
               s.substr(s.size() - kIdeographicSpace.size()) == kIdeographicSpace) {
      s.remove_suffix(kIdeographicSpace.size());
    } else {
      return s;
    }
  }
}

// The next blank-separated word of s; s keeps what follows it.
std::string_view NextWord(std::string_view& s) {
  s = TrimBlanks(s);
  size_t i = 0, width = 0;
  while (i < s.size() && !IsBlankAt(s, i, width)) ++i;
  std::string_view word = s.substr(0, i);
  s.remove_prefix(i);
  return word;
}

// "YYYY-MM-DD" exactly, a date the calendar has.
bool ParseDate(std::string_view s, int64_t& days) {
  if (s.size() != 10 || s[4] != '-' || s[7] != '-') return false;
  int fields[3] = {0, 0, 0};
  const size_t starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
  for (int f = 0; f < 3; ++f)
    for (size_t i = starts[f]; i < starts[f] + lengths[f]; ++i) {
      if (s[i] < '0' || s[i] > '9') return false;
      fields[f] = fields[f] * 10 + (s[i] - '0');
    }
  if (!civil::IsValidDate(fields[0], fields[1], fields[2])) return false;
  days = civil::DaysFromCivil(fields[0], fields[1], fields[2]);
  return true;
}

}  // namespace

void CHolidayCalendar::Clear() {
  days_.clear();
  haveValidThrough_ = false;
  validThrough_ = 0;
  skipped_ = 0;
}

int CHolidayCalendar::Load(const std::string& path) {
  std::string bytes;
  if (!file::ReadAll(path, bytes, kMaxFileBytes)) {
    Clear();
    return kFileMissing;
  }
  return Parse(bytes);
}

int CHolidayCalendar::Parse(std::string_view bytes) {
  Clear();
  // A byte-order mark some editors put first: UTF-8's, or GB18030's own.
  for (std::string_view bom : {std::string_view("\xEF\xBB\xBF"), std::string_view("\x84\x31\x95\x33")})
    if (bytes.substr(0, bom.size()) == bom) bytes.remove_prefix(bom.size());

  bool sawValidThrough = false;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view raw = bytes.substr(pos, end - pos);
    pos = end;
    while (pos < bytes.size() && (bytes[pos] == '\r' || bytes[pos] == '\n')) ++pos;

    // A NUL or bytes that are not GB18030 damage only their own line.
    if (raw.find('\0') != std::string_view::npos) {
      ++skipped_;
      continue;
    }
    const std::string line = text::FromGb(raw);
    std::string_view view = TrimBlanks(line);
    if (view.empty() || view.substr(0, 2) == "//") continue;
    if (view.find(kReplacement) != std::string_view::npos || !ParseLine(view, sawValidThrough)) ++skipped_;
  }

  if (!haveValidThrough_ && !days_.empty()) {
    int y, m, d;
    civil::CivilFromDays(days_.rbegin()->first, y, m, d);
    validThrough_ = civil::DaysFromCivil(y, 12, 31);
    haveValidThrough_ = true;
  }
  return skipped_ > 0 || (!sawValidThrough && !days_.empty()) ? kDamaged : kLoaded;
}

bool CHolidayCalendar::ParseLine(std::string_view line, bool& sawValidThrough) {
  std::string_view rest = line;
  std::string_view first = NextWord(rest);
  if (text::EqualsNoCase(first, kValidThroughKey)) {
    int64_t days;
    std::string_view date = NextWord(rest);
    if (sawValidThrough || !TrimBlanks(rest).empty() || !ParseDate(date, days)) return false;
    sawValidThrough = haveValidThrough_ = true;
    validThrough_ = days;
    return true;
  }

  int64_t days;
  if (!ParseDate(first, days)) return false;
  std::string_view mark = NextWord(rest);
  std::string_view name = TrimBlanks(rest);
  if ((mark != kOffMark && mark != kWorkMark) || name.empty() || name.size() > kMaxNameBytes) return false;
  // A second line for the same day is a mistake in the file: the first stands.
  return days_.emplace(days, Day{mark == kWorkMark, std::string(name)}).second;
}

bool CHolidayCalendar::ValidThrough(int& year, int& month, int& day) const {
  if (!haveValidThrough_) return false;
  civil::CivilFromDays(validThrough_, year, month, day);
  return true;
}

bool CHolidayCalendar::IsPastData(int year, int month, int day) const {
  return !haveValidThrough_ || civil::DaysFromCivil(year, month, day) > validThrough_;
}

const CHolidayCalendar::Day* CHolidayCalendar::Find(int year, int month, int day) const {
  if (!civil::IsValidDate(year, month, day)) return nullptr;
  auto it = days_.find(civil::DaysFromCivil(year, month, day));
  return it == days_.end() ? nullptr : &it->second;
}

DayKind CHolidayCalendar::Classify(int year, int month, int day) const {
  if (const Day* d = Find(year, month, day)) return d->makeUpWorkday ? DayKind::kMakeUpWorkday : DayKind::kHoliday;
  const int weekday = civil::Weekday(year, month, day);
  return weekday == 1 || weekday == 7 ? DayKind::kWeekend : DayKind::kWorkday;
}

bool CHolidayCalendar::IsWorkingDay(int year, int month, int day) const {
  const DayKind kind = Classify(year, month, day);
  return kind == DayKind::kWorkday || kind == DayKind::kMakeUpWorkday;
}

bool CHolidayCalendar::IsWorkingDay(int64_t days) const {
  int y, m, d;
  civil::CivilFromDays(days, y, m, d);
  return IsWorkingDay(y, m, d);
}

int CHolidayCalendar::NthWorkingDay(int year, int month, int n) const {
  const int length = civil::DaysInMonth(year, month);
  if (n == 0 || length == 0) return 0;
  const int step = n > 0 ? 1 : -1;
  int left = n > 0 ? n : -n;
  for (int day = n > 0 ? 1 : length; day >= 1 && day <= length; day += step)
    if (IsWorkingDay(year, month, day) && --left == 0) return day;
  return 0;
}
