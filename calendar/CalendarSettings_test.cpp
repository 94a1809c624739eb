#include "calendar/CalendarSettings.h"

#include <gtest/gtest.h>

#include "common/File.h"
#include "tests/support/TempFolderTest.h"

namespace {

class CalendarSettingsTest : public TempFolderTest {};

TEST_F(CalendarSettingsTest, TheSwitchIsStoredAsASectionFileAndStrangeValuesShowHolidays) {
  const std::string path = PathOf("calendar.ini");
  CalendarSettings s;
  s.showHolidays = false;
  EXPECT_EQ(LoadCalendarSettings(path, s), 1);
  EXPECT_TRUE(s.showHolidays) << "a missing file shows holidays";

  s.showHolidays = false;
  ASSERT_TRUE(SaveCalendarSettings(path, s));
  std::string bytes;
  ASSERT_TRUE(file::ReadAll(path, bytes));
  EXPECT_EQ(bytes, "[SHOW_HOLIDAYS]\r\n0\r\n");
  CalendarSettings back;
  EXPECT_EQ(LoadCalendarSettings(path, back), 0);
  EXPECT_FALSE(back.showHolidays);

  // Hand-edited: comments, blanks and case are the section file's; a value
  // other than 0 or 1 gives the default.
  const struct {
    const char* text;
    int result;
    bool shown;
  } kFiles[] = {
      {"// mine\r\n  [show_holidays]  \r\n\r\n// off\r\n 0 \r\n", 0, false},
      {"[SHOW_HOLIDAYS]\n1\n", 0, true},
      {"[SHOW_HOLIDAYS]\nno\n", 1, true},
      {"[SHOW_HOLIDAYS]\n", 1, true},
      {"", 1, true},
  };
  for (const auto& f : kFiles) {
    ASSERT_TRUE(file::WriteAtomic(path, f.text));
    EXPECT_EQ(LoadCalendarSettings(path, back), f.result) << f.text;
    EXPECT_EQ(back.showHolidays, f.shown) << f.text;
  }
}

}  // namespace
