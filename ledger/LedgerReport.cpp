#include "ledger/LedgerReport.h"

#include <cstdio>
#include <tuple>

#include "common/File.h"
#include "common/Text.h"

namespace ledger {

namespace {

bool operator<(const Day& a, const Day& b) {
  return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

bool DayOf(const std::string& timeText, Day& day) {
  return std::sscanf(timeText.c_str(), "%04d-%02d-%02d", &day.year, &day.month, &day.day) == 3;
}

// Every line break (CR LF, or a lone CR or LF) replaced by with.
std::string ReplaceLineBreaks(const std::string& s, const char* with) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' || s[i] == '\n') {
      if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
      out += with;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::string EscapeHtml(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::string PresetText(int preset, const Day& today) {
  switch (preset) {
    case kToday: return text::Format("今天(%d月%d日)", today.month, today.day);
    case kThisMonth: return text::Format("本月(%d月)", today.month);
    case kThisYear: return text::Format("本年(%d年)", today.year);
    default: return "所有时间";
  }
}

DayRange PresetRange(int preset, const Day& today) {
  switch (preset) {
    case kToday: return {false, today, today};
    case kThisMonth: return {false, {today.year, today.month, 1}, today};
    case kThisYear: return {false, {today.year, 1, 1}, today};
    default: return {true, {}, {}};
  }
}

void CReport::Build(const std::vector<LedgerRow>& source, const DayRange& range, int typeFilter) {
  source_ = &source;
  picked_.clear();
  CAmountTotal total;
  for (size_t i = 0; i < source.size(); ++i) {
    const LedgerRow& row = source[i];
    bool income = row.type == kIncomeText;
    if ((typeFilter == kIncomeOnly && !income) || (typeFilter == kExpenseOnly && row.type != kExpenseText))
      continue;
    if (!range.all) {
      Day day;
      if (!DayOf(row.time, day) || day < range.first || range.last < day) continue;
    }
    picked_.push_back(i);
    if (income)
      total.Add(AmountOf(row.amount));
    else
      total.Subtract(AmountOf(row.amount));
  }
  totalRow_ = {false, kTotalType, kTotalFiller, total.Text(), kTotalFiller};
  built_ = true;
}

const LedgerRow& CReport::At(int row) const {
  size_t r = static_cast<size_t>(row);
  return r < picked_.size() ? (*source_)[picked_[r]] : totalRow_;
}

std::string CReport::ExportText() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    const LedgerRow& r = At(i);
    std::string remark;
    for (char c : r.remark) remark += c == ',' ? std::string("，") : std::string(1, c);
    out += r.type + "," + r.time + "," + r.amount + "," + ReplaceLineBreaks(remark, " ") + "\r\n";
  }
  return out;
}

std::string CReport::ExportHtml() const {
  std::string out =
      "<html><head>\r\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />\r\n"
      "<title>导出报表</title></head><body>\r\n"
      "<h3>导出报表</h3>\r\n"
      "<table border=1 width=90%>\r\n"
      "<tr height=22><td>账目类型</td><td>账目时间</td><td>账目金额</td><td>备注说明</td></tr>";
  for (int i = 0; i < Count(); ++i) {
    const LedgerRow& r = At(i);
    std::string remark = ReplaceLineBreaks(EscapeHtml(r.remark), "<br>");
    if (remark.empty()) remark = "&nbsp;";
    out += "<tr height=20><td>" + EscapeHtml(r.type) + "</td><td>" + EscapeHtml(r.time) + "</td><td>" +
           EscapeHtml(r.amount) + "</td><td>" + remark + "</td></tr>\r\n";
  }
  out += "</table></body></html>";
  return out;
}

bool WriteExport(const std::string& path, const std::string& utf8) {
  return file::WriteAtomic(path, text::ToGb(utf8));
}

}  // namespace ledger
