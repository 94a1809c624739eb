#include "common/FieldList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>


namespace {

using Fields = std::vector<std::string>;

TEST(FieldList, FieldsEndWithTheSeparator) {
  CFieldList f;
  EXPECT_EQ(f.Split("Home*URL*http://x.test/*", '*', true), 3);
  EXPECT_EQ(f.Fields(), (Fields{"Home", "URL", "http://x.test/"}));
  EXPECT_EQ(f.Split("Home*URL*http://x.test/", '*', true), 2);
  EXPECT_EQ(f.Split("a*b", '*', true), 1);
  EXPECT_EQ(f.Fields(), Fields{"a"});
  EXPECT_EQ(f.Split("*a*", '*', true), 2);
  EXPECT_EQ(f.Fields(), (Fields{"", "a"}));
  EXPECT_EQ(f.Split("a**", '*', true), 2);
  EXPECT_EQ(f.Fields(), (Fields{"a", ""}));
  EXPECT_EQ(f.Split("no separator", '*', true), 0);
  EXPECT_EQ(f.Count(), 0);
  EXPECT_EQ(f.Split("", '*', true), 0);
}

TEST(FieldList, TrimFlagAndMultibyteText) {
  CFieldList f;
  EXPECT_EQ(f.Split(" 计算器 * calc.exe *", '*', false), 2);
  EXPECT_EQ(f.Fields(), (Fields{" 计算器 ", " calc.exe "}));
  EXPECT_EQ(f.Split(" 计算器 * calc.exe *", '*', true), 2);
  EXPECT_EQ(f.Fields(), (Fields{"计算器", "calc.exe"}));
  // GBK bytes of "计算" whose trail bytes are not the separator.
  EXPECT_EQ(f.Split("\xBC\xC6\xCB\xE3*", '*', true), 1);
  EXPECT_EQ(f[0], "\xBC\xC6\xCB\xE3");
}

}  // namespace
