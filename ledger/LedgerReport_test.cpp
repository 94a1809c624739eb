#include "ledger/LedgerReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ledger/Ledger.h"

namespace {

using namespace ledger;

std::string Listed(const CReport& r) {
  std::string out;
  for (int i = 0; i < r.Count(); ++i) out += r.At(i).type + " " + r.At(i).time + " " + r.At(i).amount + "\n";
  return out;
}

const std::vector<LedgerRow> kRows = {
    {false, "收入", "2031-04-30 23:59", "100.000000", "四月"},
    {false, "支出", "2031-05-01 00:00", "12.500000", "a, b\r\n<c & \"d\">"},
    {false, "收入", "2031-05-28 23:59", "1000.000000", ""},
    {false, "支出", "2031-05-29 00:00", "0.250000", "next day"},
    {false, "其他", "2031-05-15 12:00", "1.000000", "counts as expense"},
    {false, "收入", "hand-edited", "5.000000", "no date"},
};

TEST(LedgerReport, RangesIncludeBothEndsTypesFilterAndTheTotalComesLast) {
  CReport r;
  EXPECT_EQ(r.Count(), 0);  // nothing before the first report
  const Day today{2031, 5, 28};
  r.Build(kRows, PresetRange(kThisMonth, today), kBothTypes);
  EXPECT_EQ(Listed(r),
            "支出 2031-05-01 00:00 12.500000\n"
            "收入 2031-05-28 23:59 1000.000000\n"
            "其他 2031-05-15 12:00 1.000000\n"
            "总计 ---- 986.500000\n");
  EXPECT_EQ(InfoLine(r.At(r.Count() - 1)), "总计，时间：----，金额：986.500000");
  EXPECT_EQ(r.At(r.Count() - 1).remark, "----");

  r.Build(kRows, {false, {2031, 4, 30}, {2031, 5, 1}}, kExpenseOnly);
  EXPECT_EQ(Listed(r), "支出 2031-05-01 00:00 12.500000\n总计 ---- -12.500000\n");
  r.Build(kRows, PresetRange(kAllTime, today), kIncomeOnly);
  EXPECT_EQ(Listed(r),
            "收入 2031-04-30 23:59 100.000000\n收入 2031-05-28 23:59 1000.000000\n收入 hand-edited 5.000000\n"
            "总计 ---- 1105.000000\n");
  r.Build(kRows, PresetRange(kToday, {2031, 6, 1}), kBothTypes);
  EXPECT_EQ(Listed(r), "总计 ---- 0.000000\n");
  r.Build(kRows, {false, {2031, 6, 1}, {2031, 5, 1}}, kBothTypes);  // start after end
  EXPECT_EQ(Listed(r), "总计 ---- 0.000000\n");

  EXPECT_EQ(PresetText(kToday, today), "今天(5月28日)");
  EXPECT_EQ(PresetText(kThisMonth, today), "本月(5月)");
  EXPECT_EQ(PresetText(kThisYear, today), "本年(2031年)");
  EXPECT_EQ(PresetText(kAllTime, today), "所有时间");
  const DayRange year = PresetRange(kThisYear, today);
  EXPECT_EQ(year.first.month * 100 + year.first.day, 101);
  EXPECT_EQ(year.last.month * 100 + year.last.day, 528);
}

// Amounts are whole millionths: what "%f" stored comes back exactly, sums
// never drift, and a balanced ledger totals zero, never "-0.000000".
TEST(LedgerReport, MoneyAddsUpExactly) {
  const std::vector<LedgerRow> balanced = {{false, "支出", "2031-01-01 00:00", "0.100000", ""},
                                           {false, "支出", "2031-01-01 00:00", "0.200000", ""},
                                           {false, "收入", "2031-01-01 00:00", "0.300000", ""}};
  CReport r;
  r.Build(balanced, PresetRange(kAllTime, {}), kBothTypes);
  EXPECT_EQ(r.At(r.Count() - 1).amount, "0.000000");
  std::vector<LedgerRow> many(100000, LedgerRow{false, "收入", "2031-01-01 00:00", "123.450000", ""});
  r.Build(many, PresetRange(kAllTime, {}), kBothTypes);
  EXPECT_EQ(r.At(r.Count() - 1).amount, "12345000.000000");
  many.assign(100000, LedgerRow{false, "支出", "2031-01-01 00:00", "0.010000", ""});
  many.push_back({false, "收入", "2031-01-01 00:00", "123456.78", ""});
  r.Build(many, PresetRange(kAllTime, {}), kBothTypes);
  EXPECT_EQ(r.At(r.Count() - 1).amount, "122456.780000");
  // Totals beyond what one amount can hold, and texts of hand-edited files.
  const std::vector<LedgerRow> wide = {{false, "收入", "x", "9223372036854.775807", ""},
                                       {false, "收入", "x", "9223372036854.775807", ""},
                                       {false, "收入", "x", " +1.0000005junk", ""},
                                       {false, "支出", "x", "99999999999999999999", ""},
                                       {false, "支出", "x", "nan", ""}};
  r.Build(wide, PresetRange(kAllTime, {}), kBothTypes);
  EXPECT_EQ(r.At(r.Count() - 1).amount, "18446744073710.551615");

  const struct {
    const char* text;
    int64_t millionths;
  } amounts[] = {{"12.500000", 12500000}, {"-0.250000", -250000}, {"99999.992188", 99999992188},
                 {"0.0000004", 0},        {"-0.0000005", -1},     {"1234567.875", 1234567875000},
                 {"-0", 0},               {"x*y", 0},            {".5", 500000},
                 {"9223372036854.775807", INT64_MAX},            {"9223372036854.775808", 0}};
  for (const auto& a : amounts) {
    EXPECT_EQ(AmountOf(a.text), a.millionths) << a.text;
    if (a.millionths > 0) {
      EXPECT_EQ(AmountOf(FormatAmount(a.millionths)), a.millionths);
    }
  }
  EXPECT_EQ(FormatAmount(0), "0.000000");
  EXPECT_EQ(FormatAmount(-250000), "-0.250000");
  EXPECT_EQ(FormatAmount(INT64_MIN + 1), "-9223372036854.775807");
}

TEST(LedgerReport, ExportsHoldTheListedRowsByteForByte) {
  CReport r;
  r.Build(kRows, {false, {2031, 5, 1}, {2031, 5, 28}}, kExpenseOnly);
  EXPECT_EQ(r.ExportText(),
            "支出,2031-05-01 00:00,12.500000,a， b <c & \"d\">\r\n"
            "总计,----,-12.500000,----\r\n");
  EXPECT_EQ(r.ExportHtml(),
            "<html><head>\r\n"
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />\r\n"
            "<title>导出报表</title></head><body>\r\n"
            "<h3>导出报表</h3>\r\n"
            "<table border=1 width=90%>\r\n"
            "<tr height=22><td>账目类型</td><td>账目时间</td><td>账目金额</td><td>备注说明</td></tr>"
            "<tr height=20><td>支出</td><td>2031-05-01 00:00</td><td>12.500000</td>"
            "<td>a, b<br>&lt;c &amp; &quot;d&quot;&gt;</td></tr>\r\n"
            "<tr height=20><td>总计</td><td>----</td><td>-12.500000</td><td>----</td></tr>\r\n"
            "</table></body></html>");
  r.Build(kRows, {false, {2031, 5, 28}, {2031, 5, 28}}, kIncomeOnly);
  EXPECT_NE(r.ExportHtml().find("<td>1000.000000</td><td>&nbsp;</td>"), std::string::npos);
  EXPECT_EQ(r.ExportText(), "收入,2031-05-28 23:59,1000.000000,\r\n总计,----,1000.000000,----\r\n");
  CReport empty;
  EXPECT_EQ(empty.ExportText(), "");
  // A file that cannot be written whole is reported, never taken for success.
  EXPECT_FALSE(WriteExport("/nonexistent-folder/export.txt", r.ExportText()));
}

}  // namespace
