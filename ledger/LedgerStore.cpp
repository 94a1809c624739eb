#include "ledger/LedgerStore.h"

#include <cstdlib>

#include "common/File.h"
#include "common/FolderPath.h"
#include "common/Text.h"
#include "plans/PlanStore.h"

namespace ledger {

namespace {

// Characters no Windows file name holds; "/" and "\" would also move the
// marker out of the account folder, where no list would find it again.
bool IsForbiddenChar(unsigned char c) {
  return c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '/' || c == '\\' || c == '|' ||
         c == '?' || c == '*';
}

// "CON.ini" opens the console, not a file.
bool IsDeviceName(const std::string& name) {
  std::string base = name.substr(0, name.find('.'));
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
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
  return names;
}

void DeleteAccount(const std::string& accountFolder, const std::string& name) {
  file::Remove(MarkerPath(accountFolder, name));
  file::Remove(EntryFilePath(accountFolder, name));
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
  if (bytes > 0) rows.reserve(rows.size() + static_cast<size_t>(bytes / kSmallestRecordBytes));
  bool skipped = false;
  int result = ForEachPlanRecord(path, [&](const std::string& payload, std::string remark) {
    size_t first = payload.find('*');
    size_t second = first == std::string::npos ? first : payload.find('*', first + 1);
    if (second == std::string::npos) {
      skipped = true;
      return;
    }
    rows.push_back({false, payload.substr(0, first), payload.substr(first + 1, second - first - 1),
                    payload.substr(second + 1), std::move(remark)});
  });
  return skipped && result == kPlanFileRead ? kLedgerDamaged : result;
}

int SaveLedger(const std::string& path, const std::vector<LedgerRow>& rows, bool keepBackup) {
  // The plan file's writer with the ledger's payload after "||TIME:".
  std::vector<PlanRow> records;
  records.reserve(rows.size());
  for (const LedgerRow& r : rows) records.push_back({r.type + "*" + r.time + "*" + r.amount, r.remark});
  return WritePlanFile(records, path, keepBackup ? kKeepOldAsBackup : kNoBackup);
}

std::string FormatAmount(double amount) { return text::Format("%f", amount); }

double AmountOf(const std::string& amountText) { return std::atof(amountText.c_str()); }

}  // namespace ledger
