#include "ledger/LedgerStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/File.h"
#include "tests/support/TempFolderTest.h"
#include "common/Text.h"
#include "ledger/Ledger.h"

namespace {

using namespace ledger;

class LedgerStoreTest : public TempFolderTest {
 protected:
  std::string Folder() const { return dir_ + "\\account\\"; }
  std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
  }
  std::string Bytes(const std::string& path) {
    std::string b;
    file::ReadAll(path, b);
    return b;
  }
  static LedgerEntryEdit AnEntry() {
    LedgerEntryEdit e;
    e.StartAdd({2031, 1, 1, 8, 0});
    const int sel[LedgerEntryEdit::kListCount] = {31, 0, 0, 8, 0};
    e.Accept(sel, true, "1", "");
    return e;
  }
  static std::string Record(const std::string& payload, const std::string& content) {
    return "||TIME:" + payload + "\r\n||CONTENT:" + content + "\r\n";
  }
};

TEST_F(LedgerStoreTest, AccountNamesAreCheckedCreatedListedAndDeleted) {
  std::string fifty;  // 50 double-byte characters: 100 GBK bytes
  for (int i = 0; i < 50; ++i) fifty += "账";
  const struct {
    std::string name;
    int result;
  } cases[] = {
      {fifty, kCreated},          {"a" + fifty, kBadLength},   {"", kBadLength},
      {" \t ", kBadLength},       {"  家庭  ", kCreated},      {"家庭", kAlreadyExists},
      {"a/b", kCannotCreate},     {"..\\up", kCannotCreate},   {"c:x", kCannotCreate},
      {"a*b", kCannotCreate},     {"a?b", kCannotCreate},      {"a\"b", kCannotCreate},
      {"tab\there", kCannotCreate}, {"CON", kCannotCreate},    {"nul.txt", kCannotCreate},
      {"com1", kCannotCreate},    {"end.", kCannotCreate},     {"...", kCannotCreate},
      {"com10", kCreated},        {"a.b", kCreated},           {"CON .x", kCannotCreate},
      {"NUL .x", kCannotCreate},  {"COM1 .y", kCannotCreate},  {"LPT3 .z", kCannotCreate},
      {"CONIN$", kCannotCreate},  {"conout$.a", kCannotCreate}, {"CONIN", kCreated},
  };
  file::CreateDir(Folder());  // MakeFolderPath makes the folders of drive paths only
  for (const auto& c : cases) EXPECT_EQ(CreateAccount(Folder(), c.name), c.result) << "[" << c.name << "]";
  EXPECT_STREQ(CreateMessage(kCannotCreate), "建立账号失败,请检查账号中是否有特殊字符");
  // Nothing but the accepted names' markers, and nothing outside the folder.
  // A stray ".ini" names no account.
  ASSERT_TRUE(file::WriteAtomic(Folder() + ".ini", ""));
  EXPECT_EQ(Sorted(ListAccounts(Folder())), Sorted({fifty, "家庭", "com10", "a.b", "CONIN"}));
  EXPECT_FALSE(file::Exists(dir_ + "\\up.ini"));
  EXPECT_FALSE(file::IsDirectory(Folder() + "a"));

  // An existing account keeps both files as they were.
  ASSERT_TRUE(file::WriteAtomic(EntryFilePath(Folder(), "家庭"), "x"));
  EXPECT_EQ(CreateAccount(Folder(), "家庭"), kAlreadyExists);
  EXPECT_EQ(Bytes(EntryFilePath(Folder(), "家庭")), "x");
  EXPECT_EQ(file::Size(Folder() + "家庭.ini"), 0);

  // Every file of the account goes, the backup of its entries included.
  ASSERT_TRUE(file::WriteAtomic(EntryFilePath(Folder(), "家庭") + ".bak", "old"));
  for (const auto& n : ListAccounts(Folder())) DeleteAccount(Folder(), n);
  EXPECT_FALSE(file::Exists(EntryFilePath(Folder(), "家庭")));
  EXPECT_FALSE(file::Exists(EntryFilePath(Folder(), "家庭") + ".bak"));
  file::Remove(Folder() + ".ini");
  EXPECT_TRUE(ListAccounts(Folder()).empty());
  DeleteAccount(Folder(), "家庭");  // already gone: no error
  // With no account at all the default one is offered and created.
  EXPECT_EQ(ListAccountsOrDefault(Folder()), std::vector<std::string>{kDefaultAccount});
  EXPECT_EQ(ListAccounts(Folder()), std::vector<std::string>{kDefaultAccount});
}

TEST_F(LedgerStoreTest, EntriesRoundTripByteForByte) {
  const std::string path = Folder() + "a.dat";
  file::CreateDir(Folder());
  std::vector<LedgerRow> rows = {
      {true, "支出", "2010-05-28 14:55", "12.500000", "lunch\r\nwith guests"},
      {false, "收入", "2010-05-29 08:00", "99999.990000", ""},
      {false, "收入", "2010-05-29 09:00", "1234567.875000", "NULL"},
  };
  ASSERT_EQ(SaveLedger(path, rows), 0);
  EXPECT_EQ(text::FromGb(Bytes(path)), Record("支出*2010-05-28 14:55*12.500000", "lunch-----CR-----LF-----with guests") +
                                           Record("收入*2010-05-29 08:00*99999.990000", "NULL") +
                                           Record("收入*2010-05-29 09:00*1234567.875000", "NULL"));
  std::vector<LedgerRow> back;
  EXPECT_EQ(LoadLedger(path, back), kLedgerRead);
  ASSERT_EQ(back.size(), 3u);
  EXPECT_FALSE(back[0].checked);  // marks are never stored
  EXPECT_EQ(back[0].remark, "lunch\r\nwith guests");
  EXPECT_EQ(back[1].amount, "99999.990000");
  EXPECT_EQ(back[2].remark, "");  // a remark of the four letters NULL reads back empty
  EXPECT_EQ(FormatAmount(AmountOf("99999.99")), "99999.990000");
  EXPECT_EQ(FormatAmount(AmountOf("1234567.89")), "1234567.890000");

  std::vector<LedgerRow> none;
  EXPECT_EQ(LoadLedger(Folder() + "missing.dat", none), kLedgerMissing);
  EXPECT_TRUE(none.empty());
}

TEST_F(LedgerStoreTest, DamagedRecordsCostNothingAfterThemAndTheOldFileIsKept) {
  const std::string path = Folder() + "a.dat";
  file::CreateDir(Folder());
  // Texts of a hand-edited file are taken as they stand (single-precision
  // amounts of earlier versions included).
  const std::string old = Record("收入*2010-01-01 08:00*99999.992188", "a") + Record("no stars here", "b") +
                          Record("支出*only-one-star", "c") + "||TIME:支出*2010-01-02 08:00*1\r\n" +
                          "garbage\r\n// comment\r\n" + Record("支出*2010-01-03 08:00*x*y", "d");
  ASSERT_TRUE(file::WriteAtomic(path, text::ToGb(old)));
  CLedger ledger(path);
  EXPECT_EQ(ledger.Load(), kLedgerDamaged);
  ASSERT_EQ(ledger.Count(), 2);
  EXPECT_EQ(ledger.At(0).amount, "99999.992188");
  EXPECT_EQ(ledger.At(1).amount, "x*y");
  EXPECT_EQ(ledger.At(1).remark, "d");

  ledger.Click(0, kCheckColumn);
  ASSERT_EQ(ledger.DeleteChecked(), nullptr);
  EXPECT_EQ(Bytes(path + ".bak"), text::ToGb(old));
  EXPECT_EQ(text::FromGb(Bytes(path)), Record("支出*2010-01-03 08:00*x*y", "d"));
  // Later saves leave the kept file alone.
  ledger.Click(0, kCheckColumn);
  ledger.DeleteChecked();
  EXPECT_EQ(Bytes(path), "");
  EXPECT_EQ(Bytes(path + ".bak"), text::ToGb(old));
}

// What the reader cannot take as it stands (a NUL byte inside a line, bytes
// that are no GB18030) counts as damage: the records after it are kept and
// the first save keeps the original as ".bak". 0x80 is "€", as code page
// 936 reads it, and is written back as it was.
TEST_F(LedgerStoreTest, OddBytesAreDamageAndNothingAfterThemIsLost) {
  const std::string path = Folder() + "a.dat";
  file::CreateDir(Folder());
  const std::string euro = text::ToGb(Record("支出*2010-01-01 08:00*1.000000", "咖啡 "));
  const std::string euroFile = euro.substr(0, euro.size() - 2) + "\x80\r\n";
  ASSERT_TRUE(file::WriteAtomic(path, euroFile));
  CLedger ledger(path);
  EXPECT_EQ(ledger.Load(), kLedgerRead);
  ASSERT_EQ(ledger.Count(), 1);
  EXPECT_EQ(ledger.At(0).remark, "咖啡 €");
  ledger.Add(AnEntry());
  ledger.Click(1, kCheckColumn);
  ASSERT_EQ(ledger.DeleteChecked(), nullptr);
  EXPECT_EQ(Bytes(path), euroFile);
  EXPECT_FALSE(file::Exists(path + ".bak"));

  const std::string first = text::ToGb(Record("收入*2010-01-01 08:00*1.000000", "a"));
  const std::string last = text::ToGb(Record("收入*2010-01-03 08:00*3.000000", "c"));
  const std::string odd[] = {
      first + text::ToGb("||TIME:收入*2010-01-02 08:00*2.000000\r\n||CONTENT:b") + std::string(1, '\0') + "x\r\n" + last,
      first + text::ToGb("||TIME:收入*2010-01-02 08:00*2.000000\r\n||CONTENT:b") + "\x81\r\n" + last,
      first + text::ToGb("||TIME:收入*2010-01-02 08:00*2.000000\r\n||CONTENT:b") + "\xff\x30\r\n" + last,
  };
  for (const std::string& old : odd) {
    file::Remove(path + ".bak");
    ASSERT_TRUE(file::WriteAtomic(path, old));
    CLedger damaged(path);
    EXPECT_EQ(damaged.Load(), kLedgerDamaged);
    ASSERT_GE(damaged.Count(), 2);
    EXPECT_EQ(damaged.At(damaged.Count() - 1).remark, "c");
    damaged.Click(0, kCheckColumn);
    ASSERT_EQ(damaged.DeleteChecked(), nullptr);
    EXPECT_EQ(Bytes(path + ".bak"), old);
    EXPECT_NE(text::FromGb(Bytes(path)).find(Record("收入*2010-01-03 08:00*3.000000", "c")), std::string::npos);
  }
}

// A save killed between writing its temporary file and moving it leaves the
// temporary file; the store removes such files of its own, nothing else.
TEST_F(LedgerStoreTest, StaleTemporaryFilesOfTheWriterGo) {
  const std::string path = Folder() + "a.dat";
  file::CreateDir(Folder());
  const std::string stale[] = {path + ".tmp4242_0", path + ".tmp17_123", path + ".bak.tmp9_9"};
  const std::string others[] = {path + ".tmp", path + ".tmpx_1", path + ".tmp1_", Folder() + "b.dat.tmp1_1",
                                Folder() + "a.datx.tmp1_1"};
  for (const auto& f : stale) ASSERT_TRUE(file::WriteAtomic(f, "half"));
  for (const auto& f : others) ASSERT_TRUE(file::WriteAtomic(f, "keep"));
  CLedger ledger(path);
  ledger.Load();
  for (const auto& f : stale) EXPECT_FALSE(file::Exists(f)) << f;
  for (const auto& f : others) EXPECT_TRUE(file::Exists(f)) << f;
  ASSERT_TRUE(file::WriteAtomic(path + ".tmp5_5", "half"));
  ledger.Add(AnEntry());
  EXPECT_FALSE(file::Exists(path + ".tmp5_5"));
  EXPECT_EQ(Sorted(file::ListFiles(Folder(), "")), Sorted({"a.dat", "a.dat.tmp", "a.dat.tmp1_", "a.dat.tmpx_1", "a.datx.tmp1_1", "b.dat.tmp1_1"}));
}

}  // namespace
