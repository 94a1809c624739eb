#include "plans/PlanStore.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/TempFolderTest.h"
#include "common/File.h"
#include "common/SectionFile.h"
#include "common/Text.h"
#include "plans/PlanQueue.h"
#include "plans/ReminderClock.h"

namespace {

class PlanFileTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    path_ = dir_ + "\\plan.ini";
  }

  void WriteRaw(const std::string& utf8) { ASSERT_TRUE(file::WriteAtomic(path_, text::ToGb(utf8))); }
  std::string RawBytes() {
    std::string bytes;
    EXPECT_TRUE(file::ReadAll(path_, bytes));
    return bytes;
  }
  std::vector<PlanRow> Read(int expectedResult = kPlanFileRead) {
    std::vector<PlanRow> rows;
    EXPECT_EQ(ReadPlanFile(rows, path_), expectedResult);
    return rows;
  }
  static std::string Record(const std::string& time, const std::string& content) {
    return "||TIME:" + time + "\r\n||CONTENT:" + content + "\r\n";
  }

  std::string path_;
};

TEST_F(PlanFileTest, ContentsSurviveWriteAndRead) {
  std::vector<PlanRow> rows = {
      {"2012-05-28 14:55", ""},
      {"2012-05-28 15:00", "NULL"},
      {"2012-05-28 16:00", "one\r\ntwo\r\nthree"},
      {"2012-05-29 08:00", "  开会 in room 3  "},
  };
  ASSERT_EQ(WritePlanFile(rows, path_), 0);
  EXPECT_EQ(RawBytes(), text::ToGb(Record("2012-05-28 14:55", "NULL") +
                                    Record("2012-05-28 15:00", "NULL") +
                                    Record("2012-05-28 16:00",
                                           "one-----CR-----LF-----two-----CR-----LF-----three") +
                                    Record("2012-05-29 08:00", "  开会 in room 3  ")));
  auto back = Read();
  ASSERT_EQ(back.size(), 4u);
  EXPECT_EQ(back[0].content, "");
  EXPECT_EQ(back[1].content, "");  // typed NULL reads back empty
  EXPECT_EQ(back[2].content, "one\r\ntwo\r\nthree");
  // The line is trimmed: trailing blanks go; blanks after the marker and
  // inside the text stay.
  EXPECT_EQ(back[3].content, "  开会 in room 3");
  EXPECT_EQ(back[3].timeText, "2012-05-29 08:00");
}

TEST_F(PlanFileTest, LoneLineBreaksAreEscapedSoTheNextRecordSurvives) {
  std::vector<PlanRow> rows = {{"2012-05-28 14:55", "a\nb\rc"}, {"2012-05-28 15:00", "next"}};
  ASSERT_EQ(WritePlanFile(rows, path_), 0);
  auto back = Read();
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].content, "a\r\nb\r\nc");
  EXPECT_EQ(back[1].content, "next");
}

TEST_F(PlanFileTest, CommentsAndBlankLinesAnywhereAreIgnored) {
  WriteRaw("// plans\r\n\r\n||TIME:2012-05-28 14:55\n// between the two lines\n\n"
           "  ||CONTENT:first  \r\r\n||TIME:2012-05-28 15:00\r||CONTENT:second\r\n//end");
  auto rows = Read();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].content, "first");
  EXPECT_EQ(rows[1].timeText, "2012-05-28 15:00");
  EXPECT_EQ(rows[1].content, "second");
}

TEST_F(PlanFileTest, DamagedRecordsAreSkippedAndReadingGoesOn) {
  WriteRaw(Record("2012-01-01 10:00", "one") + Record("2012-01-02 10:00", "two") +
           "||TIMX:2012-01-03 10:00\r\n||CONTENT:three\r\n" +
           Record("2012-01-04 10:00", "four") + Record("2012-01-05 10:00", "five"));
  auto rows = Read(kPlanFileDamaged);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[2].content, "four");
  EXPECT_EQ(rows[3].content, "five");

  // A time line without its content, a lower-case marker, a stray line and a
  // truncated last record.
  WriteRaw("||TIME:2012-01-01 10:00\r\n" + Record("2012-01-02 10:00", "two") +
           "||time:2012-01-03 10:00\r\n||CONTENT:three\r\nstray text\r\n" +
           Record("2012-01-04 10:00", "four") + "||TIME:2012-01-05 10:00\r\n");
  rows = Read(kPlanFileDamaged);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].timeText, "2012-01-02 10:00");
  EXPECT_EQ(rows[1].content, "four");
}

TEST_F(PlanFileTest, MissingFileGivesNoRecordsAndUnwritablePathFails) {
  auto rows = Read(kPlanFileMissing);
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(WritePlanFile({{"2012-01-01 10:00", "x"}}, dir_ + "/missing/plan.ini"), 1);
}

TEST_F(PlanFileTest, BackupKeepsTheOldFileBeforeTheFirstRewrite) {
  std::string damaged = Record("2012-01-01 10:00", "one") + "garbage\r\n";
  WriteRaw(damaged);
  auto rows = Read(kPlanFileDamaged);
  ASSERT_EQ(WritePlanFile(rows, path_, kKeepOldAsBackup), 0);
  std::string bak;
  ASSERT_TRUE(file::ReadAll(path_ + ".bak", bak));
  EXPECT_EQ(bak, text::ToGb(damaged));
  EXPECT_EQ(RawBytes(), text::ToGb(Record("2012-01-01 10:00", "one")));

  ASSERT_EQ(WritePlanFile({}, path_, kNoBackup), 0);
  ASSERT_TRUE(file::ReadAll(path_ + ".bak", bak));
  EXPECT_EQ(bak, text::ToGb(damaged));
  EXPECT_EQ(RawBytes(), "");
}

// The record loop of the versions before rules, as they run it: comment
// lines skipped, reading stops at the first line that is not where a record
// line should be.
std::vector<PlanRow> ReadAsOlderVersions(const std::string& path) {
  std::vector<PlanRow> rows;
  CSectionFile file;
  if (file.Load(path, kMaxRecordFileBytes) != 0) return rows;
  std::string time, content;
  while (file.NextContentLine(time) == 0 && time.compare(0, kTimeMarker.size(), kTimeMarker) == 0 &&
         file.NextContentLine(content) == 0 && content.compare(0, kContentMarker.size(), kContentMarker) == 0)
    rows.push_back({time.substr(kTimeMarker.size()), DecodeContent(std::string_view(content).substr(kContentMarker.size()))});
  return rows;
}

TEST_F(PlanFileTest, OldFilesRewriteByteForByteAndRulesAreInvisibleToOlderReaders) {
  // A file as the versions before rules write it: read and written back, it
  // keeps every byte (GBK text, an empty content, an escaped line break).
  const std::string old = text::ToGb(Record("2012-05-28 14:55", "开会 in 三楼") + Record("2012-05-28 15:00", "NULL") +
                                     Record("2031-01-01 08:00", "甲-----CR-----LF-----乙"));
  ASSERT_TRUE(file::WriteAtomic(path_, old));
  std::vector<PlanRow> rows = Read();
  ASSERT_EQ(rows.size(), 3u);
  for (const PlanRow& row : rows) EXPECT_EQ(row.repeat, "");
  ASSERT_EQ(WritePlanFile(rows, path_), 0);
  EXPECT_EQ(RawBytes(), old);

  // Repeating plans carry their rule on a comment line inside the record.
  rows.insert(rows.begin() + 1, PlanRow{"2025-10-06 20:00", "中秋", "lunar-yearly 08-15 leap"});
  rows.push_back({"2031-01-06 09:00", "周会", "weekly mon,fri until 2031-12-31"});
  ASSERT_EQ(WritePlanFile(rows, path_), 0);
  EXPECT_EQ(RawBytes(), text::ToGb(Record("2012-05-28 14:55", "开会 in 三楼") +
                                    "||TIME:2025-10-06 20:00\r\n//||REPEAT:lunar-yearly 08-15 leap\r\n||CONTENT:中秋\r\n" +
                                    Record("2012-05-28 15:00", "NULL") + Record("2031-01-01 08:00", "甲-----CR-----LF-----乙") +
                                    "||TIME:2031-01-06 09:00\r\n//||REPEAT:weekly mon,fri until 2031-12-31\r\n"
                                    "||CONTENT:周会\r\n"));
  EXPECT_EQ(Read(), rows);

  // An older version sees every plan, the repeating ones as one-time plans
  // at their first time, and every other plan as it was.
  std::vector<PlanRow> older = ReadAsOlderVersions(path_);
  ASSERT_EQ(older.size(), 5u);
  EXPECT_EQ(older[1], (PlanRow{"2025-10-06 20:00", "中秋", ""}));
  EXPECT_EQ(older[4], (PlanRow{"2031-01-06 09:00", "周会", ""}));
  for (int i : {0, 2, 3}) EXPECT_EQ(older[i], rows[i]) << i;

  // The rule of a newer version that this one cannot read is kept, and the
  // plan comes once at its time meanwhile.
  rows = {{"2031-03-01 08:00", "新规则", "every-third-moon 7"}};
  ASSERT_EQ(WritePlanFile(rows, path_), 0);
  EXPECT_EQ(Read(), rows);
  CPlanQueue queue;
  ASSERT_EQ(queue.LoadUpcoming({2031, 1, 1, 0, 0}, path_), 1);
  EXPECT_EQ(queue.At(0).time, (MinuteTime{2031, 3, 1, 8, 0}));
  EXPECT_EQ(queue.LoadUpcoming({2031, 3, 1, 8, 1}, path_), 0);
}

TEST_F(PlanFileTest, ARepeatingPlanIsDueAtEachOccurrenceWithItsCount) {
  // 中秋 (lunar 08-15) from 2025-10-06: 2026-09-25 and 2027-09-15; a daily
  // plan beside it.
  ASSERT_EQ(WritePlanFile({{"2025-10-06 20:00", "中秋", "lunar-yearly 08-15"},
                           {"2026-09-20 07:30", "早饭", "daily until 2026-09-26"}},
                          path_),
            0);
  CPlanQueue queue;
  ASSERT_EQ(queue.LoadUpcoming({2026, 9, 25, 19, 0}, path_), 2);
  EXPECT_EQ(queue.At(0).time, (MinuteTime{2026, 9, 25, 20, 0}));
  EXPECT_EQ(queue.At(0).occasion, 2);
  EXPECT_EQ(queue.At(1).time, (MinuteTime{2026, 9, 26, 7, 30}));
  EXPECT_EQ(queue.At(1).occasion, 0);
  ASSERT_EQ(queue.LoadUpcoming({2026, 9, 26, 7, 31}, path_), 1);
  EXPECT_EQ(queue.At(0).time, (MinuteTime{2027, 9, 15, 20, 0}));

  CReminderClock clock({2026, 9, 25, 19, 58});
  EXPECT_TRUE(clock.Poll({2026, 9, 25, 19, 59}, path_).empty());
  auto due = clock.Poll({2026, 9, 25, 20, 0}, path_);
  ASSERT_EQ(due.size(), 1u);
  EXPECT_EQ(due[0].time, (MinuteTime{2026, 9, 25, 20, 0}));
  EXPECT_EQ(due[0].occasion, 2);
  // A poll a year late, as after a long sleep, still finds the next one; the
  // daily plan comes on its last day and then no more.
  due = clock.Poll({2027, 9, 15, 20, 0}, path_);
  ASSERT_EQ(due.size(), 2u);
  EXPECT_EQ(due[0].time, (MinuteTime{2026, 9, 26, 7, 30}));
  EXPECT_EQ(due[1].time, (MinuteTime{2027, 9, 15, 20, 0}));
  EXPECT_EQ(due[1].occasion, 3);
  EXPECT_TRUE(clock.Poll({2027, 9, 15, 20, 1}, path_).empty());
}

TEST_F(PlanFileTest, QueueTakesPlansFromTheCurrentMinuteOn) {
  WriteRaw(Record("2012-05-28 14:54", "past") + Record("2012-05-28 14:55", "now") +
           Record("not a time", "broken") + Record("2013-01-01 00:00", "later"));
  CPlanQueue queue;
  EXPECT_EQ(queue.LoadUpcoming({2012, 5, 28, 14, 55}, path_), 2);
  EXPECT_EQ(queue.At(0).content, "now");
  EXPECT_EQ(queue.At(1).content, "later");
  const std::optional<PlanRecord> next = queue.Next();
  ASSERT_TRUE(next);
  EXPECT_EQ(next->content, "now");
  EXPECT_EQ(next->time, (MinuteTime{2012, 5, 28, 14, 55}));
  int y = 0, mo = 0, d = 0, h = 0, mi = 0;
  std::string content;
  EXPECT_EQ(queue.GetNextPlan(y, mo, d, h, mi, content), 1);
  EXPECT_EQ((MinuteTime{y, mo, d, h, mi}), next->time);
  EXPECT_EQ(content, "now");

  // A later load starts empty.
  EXPECT_EQ(queue.LoadUpcoming({2014, 1, 1, 0, 0}, path_), 0);
  EXPECT_FALSE(queue.Next());
  y = -1;
  content = "untouched";
  EXPECT_EQ(queue.GetNextPlan(y, mo, d, h, mi, content), 0);
  EXPECT_EQ(y, -1);
  EXPECT_EQ(content, "untouched");
}

TEST_F(PlanFileTest, QueueHoldsTheFirstTenUpcomingInFileOrder) {
  std::string text = Record("2000-01-01 00:00", "past");
  for (int i = 0; i < 12; ++i)
    text += Record(FormatTimeText({2030 - i, 1, 1, 0, 0}), "plan " + std::to_string(i));
  WriteRaw(text);
  CPlanQueue queue;
  EXPECT_EQ(queue.LoadUpcoming({2012, 1, 1, 0, 0}, path_), CPlanQueue::kCapacity);
  EXPECT_EQ(queue.At(0).content, "plan 0");
  EXPECT_EQ(queue.At(9).content, "plan 9");
  EXPECT_EQ(queue.At(9).time.year, 2021);
}

}  // namespace
