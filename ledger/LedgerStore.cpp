#include "ledger/LedgerStore.h"

#include <algorithm>
#include <cstdint>

#include "common/File.h"
#include "common/FolderPath.h"
#include "common/Text.h"

namespace ledger {

namespace {

// Characters no Windows file name holds; "/" and "\" would also move the
// marker out of the account folder, where no list would find it again.
bool IsForbiddenChar(unsigned char c) {
  return c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '/' || c == '\\' || c == '|' ||
         c == '?' || c == '*';
}

// "CON.ini" opens the console, not a file; so does "CON .ini": blanks
// before the dot do not count.
bool IsDeviceName(const std::string& name) {
  std::string base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* d : kDevices)
    if (text::EqualsNoCase(base, d)) return true;
  return base.size() == 4 && (text::StartsWithNoCase(base, "COM") || text::StartsWithNoCase(base, "LPT")) &&
         base[3] >= '1' && base[3] <= '9';
}

std::string MarkerPath(const std::string& accountFolder, const std::string& name) {
  return accountFolder + name + kMarkerSuffix;
}

}  // namespace

const char* CreateMessage(int result) {
  switch (result) {
    case kBadLength: return "账号的长度不正确";
    case kAlreadyExists: return "你要建立的账号己经存在了";
    case kCannotCreate: return "建立账号失败,请检查账号中是否有特殊字符";
    default: return "";
  }
}

int CheckAccountName(const std::string& trimmedName) {
  size_t bytes = text::ToGb(trimmedName).size();
  if (bytes < 1 || bytes > kMaxNameBytes) return kBadLength;
  for (char c : trimmedName)
    if (IsForbiddenChar(static_cast<unsigned char>(c))) return kCannotCreate;
  // Windows drops a trailing dot or blank of a name, and a name of dots only
  // names no file.
  if (trimmedName.back() == '.' || trimmedName.find_first_not_of('.') == std::string::npos ||
      IsDeviceName(trimmedName))
    return kCannotCreate;
  return kCreated;
}

int CreateAccount(const std::string& accountFolder, const std::string& name) {
  std::string trimmed = text::Trim(name);
  if (int check = CheckAccountName(trimmed)) return check;
  std::string marker = MarkerPath(accountFolder, trimmed);
  MakeFolderPath(marker);
  if (file::Exists(marker)) return kAlreadyExists;
  return file::WriteAtomic(marker, "") ? kCreated : kCannotCreate;
}

std::vector<std::string> ListAccounts(const std::string& accountFolder) {
  std::vector<std::string> names = file::ListFiles(accountFolder, kMarkerSuffix);
  for (std::string& n : names) n.resize(n.size() - std::string_view(kMarkerSuffix).size());
  // A stray ".ini" names no account.
  names.erase(std::remove(names.begin(), names.end(), std::string()), names.end());
  return names;
}

void DeleteAccount(const std::string& accountFolder, const std::string& name) {
  file::Remove(MarkerPath(accountFolder, name));
  file::Remove(EntryFilePath(accountFolder, name));
  file::Remove(EntryFilePath(accountFolder, name) + kRecordBackupSuffix);
}

std::vector<std::string> ListAccountsOrDefault(const std::string& accountFolder) {
  std::vector<std::string> names = ListAccounts(accountFolder);
  if (names.empty()) {
    names.push_back(kDefaultAccount);
    std::string marker = MarkerPath(accountFolder, kDefaultAccount);
    MakeFolderPath(marker);
    file::WriteAtomic(marker, "");
  }
  return names;
}

std::string EntryFilePath(const std::string& accountFolder, const std::string& name) {
  return accountFolder + name + kEntrySuffix;
}

int LoadLedger(const std::string& path, std::vector<LedgerRow>& rows) {
  // Room for the rows up front: the smallest record the editor writes
  // ("收入", a time, "0.000000", "NULL") takes 55 bytes.
  constexpr int64_t kSmallestRecordBytes = 55;
  int64_t bytes = file::Size(path);
  if (bytes > static_cast<int64_t>(kMaxRecordFileBytes)) return kLedgerTooLarge;
  if (bytes > 0) rows.reserve(rows.size() + static_cast<size_t>(bytes / kSmallestRecordBytes));
  bool skipped = false;
  int result = ForEachRecord(path, {}, [&](const std::string& payload, std::string remark, const std::string&) {
    size_t first = payload.find('*');
    size_t second = first == std::string::npos ? first : payload.find('*', first + 1);
    if (second == std::string::npos) {
      skipped = true;
      return;
    }
    rows.push_back({false, payload.substr(0, first), payload.substr(first + 1, second - first - 1),
                    payload.substr(second + 1), std::move(remark)});
  });
  if (result == kRecordFileUnreadable) return kLedgerUnreadable;
  return skipped && result == kRecordsRead ? kLedgerDamaged : result;
}

int SaveLedger(const std::string& path, const std::vector<LedgerRow>& rows, bool keepBackup) {
  CRecordWriter records;
  for (const LedgerRow& r : rows) records.Add(r.type + "*" + r.time + "*" + r.amount, r.remark);
  return records.Write(path, keepBackup ? kKeepOldAsBackup : kNoBackup);
}

bool ParseAmount(std::string_view text, int64_t& millionths) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  auto digit = [&](size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
  // Summed as a negative number, whose range reaches one further.
  constexpr int64_t kMin = INT64_MIN;
  int64_t value = 0;
  bool any = false;
  for (; digit(i); ++i, any = true) {
    int d = text[i] - '0';
    if (value < (kMin + d) / 10) return false;
    value = value * 10 - d;
  }
  if (value < kMin / kMillionthsPerUnit) return false;
  value *= kMillionthsPerUnit;
  if (i < text.size() && text[i] == '.') {
    ++i;
    int64_t scale = kMillionthsPerUnit / 10;
    for (; digit(i); ++i, any = true) {
      int d = text[i] - '0';
      if (scale == 0) {
        // The first decimal past the sixth rounds; the rest cannot change it.
        if (d >= 5) {
          if (value == kMin) return false;
          --value;
        }
        while (digit(i + 1)) ++i;
        continue;
      }
      if (value < kMin + d * scale) return false;
      value -= d * scale;
      scale /= 10;
    }
  }
  if (!any) return false;
  if (!negative && value == kMin) return false;
  millionths = negative ? value : -value;
  return true;
}

int64_t AmountOf(std::string_view amountText) {
  int64_t millionths = 0;
  return ParseAmount(amountText, millionths) ? millionths : 0;
}

namespace {

// The magnitude of a value as text with six decimals, from whole units and
// millionths that are both >= 0.
std::string Magnitude(uint64_t units, uint64_t fraction) {
  return text::Format("%llu.%06llu", static_cast<unsigned long long>(units),
                      static_cast<unsigned long long>(fraction));
}

}  // namespace

std::string FormatAmount(int64_t millionths) {
  // Through unsigned: the magnitude of INT64_MIN has no int64.
  uint64_t magnitude = millionths < 0 ? 0 - static_cast<uint64_t>(millionths) : static_cast<uint64_t>(millionths);
  return (millionths < 0 ? "-" : "") + Magnitude(magnitude / kMillionthsPerUnit, magnitude % kMillionthsPerUnit);
}

void CAmountTotal::Add(int64_t millionths) {
  low_ += millionths % kLowLimit;  // |low_| stays below 2 * 10^12
  high_ += millionths / kLowLimit + low_ / kLowLimit;
  low_ %= kLowLimit;
}

void CAmountTotal::Subtract(int64_t millionths) {
  // -INT64_MIN does not exist: take it away in two halves.
  if (millionths == INT64_MIN) {
    Add(INT64_MAX);
    Add(1);
    return;
  }
  Add(-millionths);
}

std::string CAmountTotal::Text() const {
  int64_t high = high_, low = low_;
  // One sign for both parts.
  if (high > 0 && low < 0) {
    --high;
    low += kLowLimit;
  } else if (high < 0 && low > 0) {
    ++high;
    low -= kLowLimit;
  }
  if (high == 0) return FormatAmount(low);
  bool negative = high < 0;
  uint64_t h = negative ? static_cast<uint64_t>(-high) : static_cast<uint64_t>(high);
  uint64_t l = negative ? static_cast<uint64_t>(-low) : static_cast<uint64_t>(low);
  // 10^12 millionths are 10^6 units: the high part's units, then six digits.
  return (negative ? "-" : "") + text::Format("%llu%06llu", static_cast<unsigned long long>(h),
                                              static_cast<unsigned long long>(l / kMillionthsPerUnit)) +
         text::Format(".%06llu", static_cast<unsigned long long>(l % kMillionthsPerUnit));
}

}  // namespace ledger
