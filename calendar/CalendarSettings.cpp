#include "calendar/CalendarSettings.h"

#include "common/File.h"
#include "common/SectionFile.h"

int LoadCalendarSettings(const std::string& path, CalendarSettings& settings) {
  settings = CalendarSettings{};
  CSectionFile file;
  if (file.Load(path) != 0) return 1;
  const std::string value = file.GetValue(CalendarSettings::kShowHolidaysKey);
  if (value != "0" && value != "1") return 1;
  settings.showHolidays = value == "1";
  return 0;
}

bool SaveCalendarSettings(const std::string& path, const CalendarSettings& settings) {
  return file::WriteAtomic(path,
                           SectionFileText({{CalendarSettings::kShowHolidaysKey, settings.showHolidays ? "1" : "0"}}));
}
