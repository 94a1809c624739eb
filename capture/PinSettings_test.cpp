#include "capture/PinSettings.h"

#include <gtest/gtest.h>

#include "common/File.h"
#include "tests/support/TempFolderTest.h"

namespace {

class PinSettingsTest : public TempFolderTest {};

TEST_F(PinSettingsTest, OnlyAOneTurnsPinsIntoCaptures) {
  const std::string path = PathOf("pin.ini");
  EXPECT_FALSE(ReadPinSettings(path).includeInCapture) << "no file";
  using namespace std::string_literals;
  const struct {
    std::string text;
    bool include;
  } cases[] = {
      {"[INCLUDE_IN_CAPTURE]\r\n1\r\n", true},
      {"// hand-edited\n  [include_in_capture]  \n  1  \n", true},
      {"[INCLUDE_IN_CAPTURE]\r\n0\r\n", false},
      {"[INCLUDE_IN_CAPTURE]\r\nyes\r\n", false},
      {"[INCLUDE_IN_CAPTURE]\r\n", false},
      {"[OTHER]\r\n1\r\n", false},
      {"[INCLUDE_IN_CAPTURE]\r\n\0\r\n1\r\n"s, false},  // the text ends at a NUL
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(file::WriteAtomic(path, c.text));
    EXPECT_EQ(ReadPinSettings(path).includeInCapture, c.include) << c.text;
  }
  ASSERT_TRUE(WritePinSettings(path, PinSettings{true}));
  std::string bytes;
  ASSERT_TRUE(file::ReadAll(path, bytes));
  EXPECT_EQ(bytes, "[INCLUDE_IN_CAPTURE]\r\n1\r\n");
  EXPECT_EQ(ReadPinSettings(path), PinSettings{true});
  // A folder that is not there: the save says it failed.
  EXPECT_FALSE(WritePinSettings(PathOf("missing\\pin.ini"), PinSettings{}));
}

}  // namespace
