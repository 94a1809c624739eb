// Accounts and their entry files in the folder "account\" of the program
// folder: one empty marker file name + ".ini" per account, and the entries
// in name + ".dat", a record file (see common/RecordFile.h) with
// "type*time*amount" after "||TIME:":
//   ||TIME:支出*2010-05-28 14:55*12.500000
//   ||CONTENT:lunch-----CR-----LF-----with guests
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/RecordFile.h"

namespace ledger {

constexpr const char* kAccountFolder = "account\\";
constexpr const char* kMarkerSuffix = ".ini";
constexpr const char* kEntrySuffix = ".dat";
constexpr const char* kDefaultAccount = "测试账号";
constexpr size_t kMaxNameBytes = 100;  // GBK bytes of a trimmed name

constexpr const char* kIncomeText = "收入";
constexpr const char* kExpenseText = "支出";

// One entry: the texts as the file holds them, and the check mark, which
// lives only in the ledger window and is never stored.
struct LedgerRow {
  bool checked = false;
  std::string type;    // "收入" or "支出"
  std::string time;    // "%04d-%02d-%02d %02d:%02d"
  std::string amount;  // "%f" of the amount
  std::string remark;  // may hold CR LF pairs
};

enum CreateResult { kCreated = 0, kBadLength = 1, kAlreadyExists = 2, kCannotCreate = 3 };
// The message for a result other than kCreated.
const char* CreateMessage(int result);

// The trimmed name when it can name an account file: 1 to 100 GBK bytes
// and nothing that a file name cannot hold (separators, wildcards, control
// characters, device names); used by CreateAccount.
int CheckAccountName(const std::string& trimmedName);

// accountFolder is program folder + "account\". Creates the marker of the
// trimmed name (and the folder). Returns a CreateResult.
int CreateAccount(const std::string& accountFolder, const std::string& name);
// The account names, in the order the file system lists the markers.
std::vector<std::string> ListAccounts(const std::string& accountFolder);
// Deletes marker, entry file and its ".bak"; missing files are no error.
void DeleteAccount(const std::string& accountFolder, const std::string& name);
// The names, with the default account created when there is none at all.
std::vector<std::string> ListAccountsOrDefault(const std::string& accountFolder);

std::string EntryFilePath(const std::string& accountFolder, const std::string& name);

enum LoadResult {
  kLedgerRead = 0,
  kLedgerMissing = 1,
  kLedgerDamaged = 2,     // see kRecordFileDamaged
  kLedgerUnreadable = 3,  // there, but it could not be read (no rights)
  kLedgerTooLarge = 4,    // over the size limit of record files: not read
};
// Appends the entries of the file to rows, unchecked, in file order. A
// damaged record (no content line, fewer than two "*" after "||TIME:") is
// skipped and reading goes on. Returns a LoadResult.
int LoadLedger(const std::string& path, std::vector<LedgerRow>& rows);
// Rewrites the entry file whole and atomically; with keepBackup the old file
// is first kept as path + ".bak". Returns 0 when written, 1 otherwise.
int SaveLedger(const std::string& path, const std::vector<LedgerRow>& rows, bool keepBackup = false);

// Money is held as whole millionths in an int64: the six decimals that "%f"
// writes, so stored texts read back exactly and sums never drift.
constexpr int64_t kMillionthsPerUnit = 1000000;

// The leading decimal number of text, as atof would take it: blanks, a sign,
// digits, a point, digits; decimals past the sixth rounded half away from
// zero. false when there is no number or it does not fit.
bool ParseAmount(std::string_view text, int64_t& millionths);
// The amount of a stored text; 0 when ParseAmount fails.
int64_t AmountOf(std::string_view amountText);
// As "%f" prints it: "-12.500000"; zero is "0.000000", never "-0.000000".
std::string FormatAmount(int64_t millionths);

// A sum of amounts that no number of entries can overflow: hundreds of
// trillions and their millionths kept apart.
class CAmountTotal {
 public:
  void Add(int64_t millionths);
  void Subtract(int64_t millionths);
  std::string Text() const;  // as FormatAmount

 private:
  static constexpr int64_t kLowLimit = 1000000000000;  // 10^12 millionths
  int64_t high_ = 0;                                   // units of kLowLimit
  int64_t low_ = 0;                                    // |low_| < kLowLimit
};

}  // namespace ledger
