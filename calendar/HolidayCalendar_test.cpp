#include "calendar/HolidayCalendar.h"

#include <gtest/gtest.h>

#include <string>

#include "common/Text.h"
#include "tests/support/TempFolderTest.h"
#include "common/File.h"

namespace {

// The holiday file as it ships: resources/data beside this folder.
std::string ShippedFile() {
  std::string here = __FILE__;
  std::string folder = here.substr(0, here.find_last_of("/\\"));
  return folder.substr(0, folder.find_last_of("/\\") + 1) + "resources/data/holiday.dat";
}

TEST(HolidayCalendar, DamagedLinesAreSkippedAndEveryOtherLineKept) {
  // Each damaged line between good ones: a NUL byte, a date that does not
  // exist, a date without its dashes, a mark that is neither 休 nor 班, no
  // name, bytes that are not GB18030, a second line for a day, a second key
  // line, and a key line with a bad date.
  std::string file = text::ToGb(
      "[VALID_THROUGH] 2026-12-31\r\n"
      "// 2026年\r\n"
      "2026-10-01 休 国庆节\r\n");
  const char withNul[] = "2026-10-02 \xD0\xDD \xB9\xFA\xC7\xEC\0\xBD\xDA\r\n";  // 休 国庆<NUL>节 in GB18030
  file += std::string(withNul, sizeof withNul - 1);
  file += text::ToGb(
      "2026-02-30 休 春节\r\n"
      "20261003 休 国庆节\r\n"
      "2026-10-04 假 国庆节\r\n"
      "2026-10-05 休\r\n");
  file += "2026-10-06 \xD0\xDD \xFF\xFF\r\n";
  file += text::ToGb(
      "2026-10-01 班 国庆节\r\n"
      "[VALID_THROUGH] 2030-12-31\r\n"
      "[valid_through] 2026-13-01\n"
      "\n\n   \t\n"
      "\t2026-10-10\t班\t国庆节 \r"
      "2026-09-20　班　国庆节\n"  // separated by ideographic spaces
      "2026-10-07 休 国庆节");     // the last line has no line break
  CHolidayCalendar cal;
  EXPECT_EQ(cal.Parse(file), CHolidayCalendar::kDamaged);
  EXPECT_EQ(cal.SkippedLines(), 9);
  EXPECT_EQ(cal.Count(), 4u);
  ASSERT_TRUE(cal.Find(2026, 10, 1));
  EXPECT_FALSE(cal.Find(2026, 10, 1)->makeUpWorkday) << "the first line for a day stands";
  EXPECT_EQ(cal.Find(2026, 10, 1)->name, "国庆节");
  ASSERT_TRUE(cal.Find(2026, 10, 10));
  EXPECT_TRUE(cal.Find(2026, 10, 10)->makeUpWorkday);
  EXPECT_EQ(cal.Find(2026, 10, 10)->name, "国庆节");
  EXPECT_TRUE(cal.Find(2026, 9, 20));
  EXPECT_TRUE(cal.Find(2026, 10, 7));
  for (int day : {2, 3, 4, 5, 6}) EXPECT_FALSE(cal.Find(2026, 10, day)) << day;
  int y = 0, m = 0, d = 0;
  ASSERT_TRUE(cal.ValidThrough(y, m, d));
  EXPECT_EQ(y * 10000 + m * 100 + d, 20261231) << "the second key line does not move the end";

  // A clean file, with the byte-order mark an editor may put first.
  EXPECT_EQ(cal.Parse("\xEF\xBB\xBF" + text::ToGb("[VALID_THROUGH] 2026-12-31\n2026-10-01 休 国庆节\n")),
            CHolidayCalendar::kLoaded);
  EXPECT_EQ(cal.SkippedLines(), 0);
  EXPECT_EQ(cal.Count(), 1u);

  // Without the key line the data ends with the last year it holds.
  EXPECT_EQ(cal.Parse(text::ToGb("2025-10-01 休 国庆节\n2024-10-01 休 国庆节\n")), CHolidayCalendar::kDamaged);
  ASSERT_TRUE(cal.ValidThrough(y, m, d));
  EXPECT_EQ(y * 10000 + m * 100 + d, 20251231);
  EXPECT_FALSE(cal.IsPastData(2025, 12, 31));
  EXPECT_TRUE(cal.IsPastData(2026, 1, 1));

  // Nothing at all: every day lies past the data.
  EXPECT_EQ(cal.Parse(""), CHolidayCalendar::kLoaded);
  EXPECT_FALSE(cal.ValidThrough(y, m, d));
  EXPECT_TRUE(cal.IsPastData(2000, 1, 1));
}

class HolidayFileTest : public TempFolderTest {};

TEST_F(HolidayFileTest, AMissingOrOversizedFileGivesNoHolidays) {
  CHolidayCalendar cal;
  ASSERT_EQ(cal.Parse(text::ToGb("[VALID_THROUGH] 2026-12-31\n2026-10-01 休 国庆节\n")), CHolidayCalendar::kLoaded);
  EXPECT_EQ(cal.Load(PathOf("holiday.dat")), CHolidayCalendar::kFileMissing);
  EXPECT_TRUE(cal.Empty()) << "what was held before is gone";
  ASSERT_TRUE(file::WriteAtomic(PathOf("holiday.dat"), std::string(CHolidayCalendar::kMaxFileBytes + 1, '/')));
  EXPECT_EQ(cal.Load(PathOf("holiday.dat")), CHolidayCalendar::kFileMissing);
}

TEST(HolidayCalendar, DaysAreHolidaysMakeUpWorkdaysWorkdaysOrWeekends) {
  CHolidayCalendar cal;
  ASSERT_EQ(cal.Load(ShippedFile()), CHolidayCalendar::kLoaded) << ShippedFile();
  const struct {
    int y, m, d;
    DayKind kind;
  } kDays[] = {
      {2026, 10, 1, DayKind::kHoliday},         // Thursday, 国庆节
      {2026, 10, 3, DayKind::kHoliday},         // Saturday inside the holiday
      {2026, 10, 8, DayKind::kWorkday},         // Thursday after it
      {2026, 10, 10, DayKind::kMakeUpWorkday},  // Saturday worked
      {2026, 10, 11, DayKind::kWeekend},
      {2026, 9, 20, DayKind::kMakeUpWorkday},   // Sunday worked
      {2020, 2, 1, DayKind::kHoliday},          // a 班 day that the extended 春节 of 2020 took back
      {2011, 12, 31, DayKind::kMakeUpWorkday},  // worked for 元旦 of the next year
      {2030, 10, 1, DayKind::kWorkday},         // past the data: the weekday alone
  };
  for (const auto& c : kDays) EXPECT_EQ(cal.Classify(c.y, c.m, c.d), c.kind) << c.y << "-" << c.m << "-" << c.d;
  EXPECT_FALSE(cal.IsWorkingDay(2026, 10, 1));
  EXPECT_TRUE(cal.IsWorkingDay(2026, 10, 10));
  EXPECT_FALSE(cal.IsPastData(2026, 12, 31));
  EXPECT_TRUE(cal.IsPastData(2027, 1, 1));

  // October 2026: 1-7 off, 8 and 9 worked, the 10th a 班 Saturday, then the
  // 12th; its last working day is Friday the 30th.
  const int firstWorkingDays[] = {8, 9, 10, 12, 13};
  for (int n = 1; n <= 5; ++n) EXPECT_EQ(cal.NthWorkingDay(2026, 10, n), firstWorkingDays[n - 1]) << n;
  EXPECT_EQ(cal.NthWorkingDay(2026, 10, -1), 30);
  EXPECT_EQ(cal.NthWorkingDay(2026, 10, -2), 29);
  // February 2026: 春节 takes the 15th to the 23rd, the 14th and 28th are worked.
  EXPECT_EQ(cal.NthWorkingDay(2026, 2, 10), 13);
  EXPECT_EQ(cal.NthWorkingDay(2026, 2, 11), 14);
  EXPECT_EQ(cal.NthWorkingDay(2026, 2, 12), 24);
  EXPECT_EQ(cal.NthWorkingDay(2026, 2, -1), 28);
  // October 2026 has 17 + 1 working days; there is no 19th, and no 0th.
  EXPECT_EQ(cal.NthWorkingDay(2026, 10, 18), 30);
  EXPECT_EQ(cal.NthWorkingDay(2026, 10, 19), 0);
  EXPECT_EQ(cal.NthWorkingDay(2026, 10, -19), 0);
  EXPECT_EQ(cal.NthWorkingDay(2026, 10, 0), 0);
  EXPECT_EQ(cal.NthWorkingDay(2026, 13, 1), 0);
}

}  // namespace
