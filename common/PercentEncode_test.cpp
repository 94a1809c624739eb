#include "common/PercentEncode.h"

#include <gtest/gtest.h>

namespace {

TEST(PercentEncode, EscapesEveryByteButLettersAndDigits) {
  EXPECT_EQ(PercentEncode("a b+C9"), "a%20b%2BC9");
  EXPECT_EQ(PercentEncode("-_.~/?&="), "%2D%5F%2E%7E%2F%3F%26%3D");
  EXPECT_EQ(PercentEncode("中"), "%D6%D0");  // its two GBK bytes
  EXPECT_EQ(PercentEncode("截屏 x"), "%BD%D8%C6%C1%20x");
  EXPECT_EQ(PercentEncode(""), "");
}

}  // namespace
