#include "common/MinuteTime.h"

#include <gtest/gtest.h>

namespace {

TEST(MinuteTime, TimeTextFormatsParsesAndOrders) {
  MinuteTime t{2012, 5, 28, 9, 5};
  EXPECT_EQ(FormatTimeText(t), "2012-05-28 09:05");
  MinuteTime back;
  ASSERT_TRUE(ParseTimeText("2012-05-28 09:05", back));
  EXPECT_EQ(back, t);
  EXPECT_FALSE(ParseTimeText("2012-05-28", back));
  EXPECT_FALSE(ParseTimeText("soon", back));
  EXPECT_EQ(back, t);
  EXPECT_TRUE((MinuteTime{2012, 5, 28, 14, 54} < MinuteTime{2012, 5, 28, 14, 55}));
  EXPECT_TRUE((MinuteTime{2012, 12, 31, 23, 59} < MinuteTime{2013, 1, 1, 0, 0}));
  EXPECT_FALSE((MinuteTime{2012, 5, 28, 14, 55} < MinuteTime{2012, 5, 28, 14, 55}));
}

}  // namespace
