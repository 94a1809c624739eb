#include "ledger/Ledger.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "common/File.h"
#include "tests/support/TempFolderTest.h"
#include "common/Text.h"

namespace {

using ledger::kCheckColumn;

class LedgerListTest : public TempFolderTest {
 protected:
  LedgerEntryEdit Added(int year, int month, int day, int hour, int minute, bool income, const std::string& amount,
                        const std::string& remark = "") {
    LedgerEntryEdit e;
    e.StartAdd({2026, 12, 7, 15, 0});
    const int sel[LedgerEntryEdit::kListCount] = {year - 2000, month - 1, day - 1, hour, minute};
    EXPECT_EQ(e.Accept(sel, income, amount, remark), nullptr) << amount;
    return e;
  }
  std::string Rows(const CLedger& l) {
    std::string out;
    for (const auto& r : l.Rows()) out += ledger::CellText(r, 0) + "|" + r.type + "|" + r.time + "|" + r.amount + "|" + r.remark + "\n";
    return out;
  }
};

TEST_F(LedgerListTest, AddChangeAndDeleteKeepTimeOrderAndTheFile) {
  CLedger ledger(dir_ + "\\a.dat");
  EXPECT_EQ(ledger.Load(), ledger::kLedgerMissing);
  EXPECT_EQ(ledger.Add(Added(2031, 5, 28, 9, 0, true, "12.5", "工资")), 0);
  EXPECT_EQ(ledger.Add(Added(2031, 5, 27, 9, 0, false, "3")), 0);
  // Same minute: after the entry already there.
  EXPECT_EQ(ledger.Add(Added(2031, 5, 28, 9, 0, false, " -0.25 ", "a\r\nb")), 2);
  EXPECT_EQ(Rows(ledger),
            "未选中|支出|2031-05-27 09:00|3.000000|\n"
            "未选中|收入|2031-05-28 09:00|12.500000|工资\n"
            "未选中|支出|2031-05-28 09:00|-0.250000|a\r\nb\n");

  // Change: the selected row's type, amount and remark; its time and place stay.
  LedgerEntryEdit edit;
  EXPECT_STREQ(ledger.PrepareChange(-1, edit), "请选择需要修改的项目");
  ASSERT_EQ(ledger.PrepareChange(1, edit), nullptr);
  EXPECT_EQ(edit.type, 1);
  EXPECT_EQ(edit.AmountText(), "12.500000");
  EXPECT_EQ(edit.SelectedIndex(LedgerEntryEdit::kYearList), 31);
  EXPECT_FALSE(edit.TimeListsEnabled());
  // A stored text that is no amount is shown as it stands, and refused as typed.
  LedgerEntryEdit odd;
  odd.StartChange({false, "收入", "2031-05-28 09:00", "99999999999999999999", ""});
  EXPECT_EQ(odd.AmountText(), "99999999999999999999");
  const int ignored[LedgerEntryEdit::kListCount] = {0, 0, 0, 0, 0};
  EXPECT_STREQ(odd.Accept(ignored, true, odd.AmountText(), ""), LedgerEntryEdit::kNotAnAmount);
  ASSERT_EQ(edit.Accept(ignored, false, "99999.99", "改"), nullptr);
  ledger.ApplyChange(1, edit);
  EXPECT_EQ(ledger::InfoLine(ledger.At(1)), "支出，时间：2031-05-28 09:00，金额：99999.990000");

  // Delete takes the checked rows; none checked: the message, no write.
  EXPECT_STREQ(ledger.DeleteChecked(), "请先选择要删除的项");
  EXPECT_FALSE(ledger.Click(3, kCheckColumn));
  EXPECT_TRUE(ledger.Click(0, 2));  // elsewhere in the row: no mark
  EXPECT_TRUE(ledger.Click(0, kCheckColumn));
  EXPECT_TRUE(ledger.Click(2, kCheckColumn));
  EXPECT_EQ(ledger::CellText(ledger.At(2), kCheckColumn), "选中");
  EXPECT_EQ(ledger.DeleteChecked(), nullptr);
  CLedger reread(dir_ + "\\a.dat");
  reread.Load();
  EXPECT_EQ(Rows(reread), "未选中|支出|2031-05-28 09:00|99999.990000|改\n");
}

// A save that cannot write (here a folder holds the file's name) says so;
// the rows stay for the next save, which writes them all.
TEST_F(LedgerListTest, AFailedSaveIsKnownAndTheRowsStay) {
  const std::string path = dir_ + "/a.dat";
  CLedger ledger(path);
  ledger.Load();
  ASSERT_TRUE(file::CreateDir(path));
  ledger.Add(Added(2031, 5, 28, 9, 0, true, "1"));
  EXPECT_TRUE(ledger.SaveFailed());
  ledger.Add(Added(2031, 5, 29, 9, 0, true, "2"));
  EXPECT_EQ(ledger.Count(), 2);
  ASSERT_EQ(rmdir(path.c_str()), 0);
  ledger.Click(0, kCheckColumn);
  EXPECT_EQ(ledger.DeleteChecked(), nullptr);
  EXPECT_FALSE(ledger.SaveFailed());
  CLedger reread(path);
  reread.Load();
  EXPECT_EQ(Rows(reread), "未选中|收入|2031-05-29 09:00|2.000000|\n");
}

// An entry file over the size limit is no empty ledger: the window says so
// and never saves over it.
TEST_F(LedgerListTest, AFileTooLargeToOpenIsNeverOverwritten) {
  const std::string path = dir_ + "/a.dat";
  ASSERT_TRUE(file::WriteAtomic(path, "||TIME:收入*2031-05-28 09:00*1.000000\r\n||CONTENT:NULL\r\n"));
  ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(kMaxRecordFileBytes) + 1), 0);
  CLedger ledger(path);
  EXPECT_EQ(ledger.Load(), ledger::kLedgerTooLarge);
  EXPECT_TRUE(ledger.Locked());
  EXPECT_STREQ(CLedger::kTooLargeToOpen, "账目文件太大,无法打开");
  ledger.Add(Added(2031, 5, 28, 9, 0, true, "1"));
  EXPECT_TRUE(ledger.SaveFailed());
  EXPECT_EQ(file::Size(path), static_cast<int64_t>(kMaxRecordFileBytes) + 1);
  EXPECT_FALSE(file::Exists(path + ".bak"));
}

TEST_F(LedgerListTest, TheEditorTakesOnlyNumbersAsAmounts) {
  const struct {
    const char* typed;
    const char* stored;  // nullptr: refused
  } cases[] = {
      {"12.5", "12.500000"},     {"99999.99", "99999.990000"}, {"  +7 ", "7.000000"}, {"-.5", "-0.500000"},
      {"1.", "1.000000"},        {"1,234.50", nullptr},         {"1234,5", nullptr},   {"abc", nullptr},
      {"12abc", nullptr},        {"1.2.3", nullptr},            {"", nullptr},         {".", nullptr},
      {"-", nullptr},            {"1e5", nullptr},              {"１２", nullptr},
      {"-0", "0.000000"},        {"0.1", "0.100000"},           {"123.45", "123.450000"},
      {"0.0000005", "0.000001"}, {"9223372036854.775807", "9223372036854.775807"},
      {"9223372036854.775808", nullptr},
      {"00000000000000012", "12.000000"},                       {"99999999999999", nullptr},
      {"10000000000000", nullptr}, {"inf", nullptr},            {"nan", nullptr},
  };
  for (const auto& c : cases) {
    LedgerEntryEdit e;
    e.StartAdd({2026, 12, 7, 15, 0});
    EXPECT_EQ(e.AmountText(), "0.00");
    const int sel[LedgerEntryEdit::kListCount] = {26, 11, 6, 15, 0};
    const char* message = e.Accept(sel, true, c.typed, "");
    if (c.stored) {
      EXPECT_EQ(message, nullptr) << c.typed;
      EXPECT_EQ(e.ToRow().amount, c.stored) << c.typed;
      EXPECT_EQ(e.ToRow().time, "2026-12-07 15:00");
    } else {
      EXPECT_STREQ(message, LedgerEntryEdit::kNotAnAmount) << c.typed;
    }
  }
}

}  // namespace
