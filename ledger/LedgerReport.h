// The report window's rows: the ledger rows of a date range and a type, in
// ledger order, then the total row; and the two exports of what it lists.
#pragma once
#include <string>
#include <vector>

#include "ledger/LedgerStore.h"

namespace ledger {

struct Day {
  int year = 0, month = 0, day = 0;
};

enum Preset { kToday = 0, kThisMonth, kThisYear, kAllTime, kPresetCount };
// "今天(%d月%d日)", "本月(%d月)", "本年(%d年)", "所有时间" for today.
std::string PresetText(int preset, const Day& today);

enum TypeFilter { kIncomeOnly = 0, kExpenseOnly = 1, kBothTypes = 2 };
constexpr const char* kTypeFilterTexts[] = {"收入", "支出", "收入和支出"};

// The days a report covers, both ends included; all = no date filter.
struct DayRange {
  bool all = false;
  Day first, last;
};
DayRange PresetRange(int preset, const Day& today);

constexpr const char* kTotalType = "总计";
constexpr const char* kTotalFiller = "----";

class CReport {
 public:
  // Rows of source that pass both filters (rows whose time text does not
  // begin with a date pass only when the range is all), and their total:
  // incomes added, every other type subtracted. source must outlive the
  // report and not change while it is shown.
  void Build(const std::vector<LedgerRow>& source, const DayRange& range, int typeFilter);

  // 0 before the first Build, else the picked rows and the total row.
  int Count() const { return built_ ? static_cast<int>(picked_.size()) + 1 : 0; }
  const LedgerRow& At(int row) const;

  // "export.txt": type,time,amount,remark CR LF per row, the remark's "," as
  // "，" and its line breaks as blanks. UTF-8; stored as GBK.
  std::string ExportText() const;
  // "export.html": a table of the rows with every text HTML-escaped, the
  // remark's line breaks as "<br>", an empty remark as "&nbsp;".
  std::string ExportHtml() const;

 private:
  const std::vector<LedgerRow>* source_ = nullptr;
  std::vector<size_t> picked_;
  LedgerRow totalRow_;
  bool built_ = false;
};

// Writes an export as GBK bytes, atomically; false when it could not be
// written whole.
bool WriteExport(const std::string& path, const std::string& utf8);

}  // namespace ledger
