// The plan editor's data: its time lists, what add mode selects and which
// days it refuses, and the selections of change mode.
#include "plans/PlanEdit.h"

#include <gtest/gtest.h>

namespace {

TEST(PlanEdit, AddModeSelectsNowAndRefusesDaysTheMonthLacks) {
  PlanEditData edit;
  edit.StartAdd({2012, 5, 28, 14, 55});
  EXPECT_TRUE(edit.TimeListsEnabled());
  EXPECT_EQ(edit.SelectedIndex(PlanEditData::kYearList), 12);
  EXPECT_EQ(edit.SelectedIndex(PlanEditData::kMonthList), 4);
  EXPECT_EQ(edit.SelectedIndex(PlanEditData::kDayList), 27);
  EXPECT_EQ(edit.SelectedIndex(PlanEditData::kHourList), 14);
  EXPECT_EQ(edit.SelectedIndex(PlanEditData::kMinuteList), 55);

  int feb31[PlanEditData::kListCount] = {12, 1, 30, 9, 0};
  EXPECT_STREQ(edit.Accept(feb31, "x"), "所选日期不存在");
  EXPECT_EQ(edit.time, (MinuteTime{2012, 5, 28, 14, 55}));
  int feb29[PlanEditData::kListCount] = {12, 1, 28, 9, 0};
  ASSERT_EQ(edit.Accept(feb29, "leap day"), nullptr);
  EXPECT_EQ(edit.time, (MinuteTime{2012, 2, 29, 9, 0}));
  EXPECT_EQ(edit.content, "leap day");
  int none[PlanEditData::kListCount] = {-1, 1, 28, 9, 0};
  EXPECT_STREQ(edit.Accept(none, "x"), "请选择计划时间");

  // A clock outside the year list still gives a selection.
  edit.StartAdd({2051, 1, 1, 0, 0});
  EXPECT_EQ(edit.SelectedIndex(PlanEditData::kYearList), 49);
}

TEST(PlanEdit, ListEntriesAndChangeModeSelections) {
  EXPECT_EQ(PlanEditData::EntryCount(PlanEditData::kYearList), 50);
  EXPECT_EQ(PlanEditData::EntryText(PlanEditData::kYearList, 0), "2000");
  EXPECT_EQ(PlanEditData::EntryText(PlanEditData::kYearList, 49), "2049");
  EXPECT_EQ(PlanEditData::EntryCount(PlanEditData::kDayList), 31);
  EXPECT_EQ(PlanEditData::EntryText(PlanEditData::kHourList, 0), "0");
  EXPECT_EQ(PlanEditData::EntryText(PlanEditData::kMinuteList, 59), "59");

  PlanEditData edit;
  edit.StartChange({"1999-12-31 23:59", "old"});
  EXPECT_EQ(edit.SelectedIndex(PlanEditData::kYearList), -1);
  EXPECT_EQ(edit.SelectedIndex(PlanEditData::kDayList), 30);
  edit.StartChange({"garbled", "x"});
  EXPECT_EQ(edit.SelectedIndex(PlanEditData::kMonthList), -1);
  EXPECT_EQ(edit.content, "x");
}

}  // namespace
