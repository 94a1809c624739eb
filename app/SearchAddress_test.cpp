#include "app/SearchAddress.h"

#include <gtest/gtest.h>

#include "common/SectionFile.h"
#include "common/Text.h"

namespace {

TEST(SearchAddress, TrimmedWordsArePercentEncodedGbkInEveryKeyPlace) {
  const std::string tmpl = "https://s.test/s?ie=gbk&wd=KEY&again=KEY";
  EXPECT_EQ(search::BuildAddress(tmpl, "  a b  "), "https://s.test/s?ie=gbk&wd=a%20b&again=a%20b");
  EXPECT_EQ(search::BuildAddress(tmpl, "c++"), "https://s.test/s?ie=gbk&wd=c%2B%2B&again=c%2B%2B");
  EXPECT_EQ(search::BuildAddress(tmpl, "\t你好\r\n"), "https://s.test/s?ie=gbk&wd=%C4%E3%BA%C3&again=%C4%E3%BA%C3");
  EXPECT_EQ(search::BuildAddress("http://s.test/KEYKEY/KEY", "x"), "http://s.test/xx/x");
}

TEST(SearchAddress, EmptyTextRemovesEachKey) {
  EXPECT_EQ(search::BuildAddress("http://s.test/?q=KEY&r=KEY", ""), "http://s.test/?q=&r=");
  EXPECT_EQ(search::BuildAddress("http://s.test/?q=KEY", "   "), "http://s.test/?q=");
  EXPECT_EQ(search::BuildAddress("http://s.test/fixed", "words"), "http://s.test/fixed");
}

TEST(SearchAddress, WordsThatSpellKeyAreNotReplacedAgain) {
  EXPECT_EQ(search::BuildAddress("http://s.test/?q=KEY&p=KEY", "KEY"), "http://s.test/?q=KEY&p=KEY");
  EXPECT_EQ(search::BuildAddress("http://s.test/?key=KEy", "a"), "http://s.test/?key=KEy");  // case counts
}

TEST(SearchAddress, WithoutATemplateTheServiceDefaultIsOpenedWithoutTheWords) {
  EXPECT_EQ(search::BuildAddress("", "你好"), search::kDefaultAddress);
  CSectionFile missing;
  EXPECT_EQ(missing.Load("/nonexistent/main.htm"), 1);
  EXPECT_EQ(search::AddressFor(missing, "abc"), search::kDefaultAddress);
  EXPECT_EQ(search::SearchWord(missing), "搜索关键字");
}

TEST(SearchAddress, TemplateAndWordComeFromThePage) {
  CSectionFile page;
  page.SetBytes(text::ToGb("[SEARCH_WORD]\r\n// hint\r\n输入网址或关键字\r\n[SEARCH_URL]\r\nhttp://s.test/?w=KEY\r\n"));
  EXPECT_EQ(search::SearchWord(page), "输入网址或关键字");
  EXPECT_EQ(search::AddressFor(page, "天气"), "http://s.test/?w=%CC%EC%C6%F8");
}

}  // namespace
