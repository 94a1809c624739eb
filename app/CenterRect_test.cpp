#include "app/CenterRect.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/TempFolderTest.h"
#include "common/File.h"

namespace {

const std::vector<Rect> kOneScreen = {{0, 0, 1280, 800}};

class CenterRectTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    path_ = dir_ + "\\infotool.dat";
  }
  std::string path_;
};

TEST_F(CenterRectTest, DefaultIsAColumnAtTheRightEdge) {
  EXPECT_EQ(center_rect::Default(1280, 800), (Rect{1075, 5, 1275, 754}));
}

TEST_F(CenterRectTest, SavedRectangleIsSixteenLittleEndianBytesAndReadsBack) {
  const Rect r{900, 20, 1100, 700};
  ASSERT_TRUE(center_rect::Save(path_, r));
  std::string bytes;
  ASSERT_TRUE(file::ReadAll(path_, bytes));
  EXPECT_EQ(bytes, std::string("\x84\x03\0\0\x14\0\0\0\x4c\x04\0\0\xbc\x02\0\0", 16));
  EXPECT_EQ(center_rect::Load(path_, 1280, 800, kOneScreen), r);

  // Negative coordinates (a monitor left of the primary one) survive.
  const std::vector<Rect> twoScreens = {{-1920, 0, 0, 1080}, {0, 0, 1280, 800}};
  const Rect left{-1500, 100, -1300, 900};
  ASSERT_TRUE(center_rect::Save(path_, left));
  EXPECT_EQ(center_rect::Load(path_, 1280, 800, twoScreens), left);
}

TEST_F(CenterRectTest, MissingFileGivesTheDefault) {
  EXPECT_EQ(center_rect::Load(path_, 1280, 800, kOneScreen), center_rect::Default(1280, 800));
}

TEST_F(CenterRectTest, ShortFileReplacesOnlyTheBytesItHolds) {
  // left = 1000, top = 30; right and bottom stay those of the default.
  ASSERT_TRUE(file::WriteAtomic(path_, std::string("\xe8\x03\0\0\x1e\0\0\0", 8)));
  EXPECT_EQ(center_rect::Load(path_, 1280, 800, kOneScreen), (Rect{1000, 30, 1275, 754}));
  // Half an integer: the low bytes of left only.
  ASSERT_TRUE(file::WriteAtomic(path_, std::string("\x10\x04", 2)));
  EXPECT_EQ(center_rect::Decode(std::string("\x10\x04", 2), Rect{0x7FFF0000, 1, 2, 3}).left, 0x7FFF0410);
  EXPECT_EQ(center_rect::Load(path_, 1280, 800, kOneScreen), (Rect{1040, 5, 1275, 754}));
  // An empty file changes nothing; bytes past the 16th are ignored.
  ASSERT_TRUE(file::WriteAtomic(path_, ""));
  EXPECT_EQ(center_rect::Load(path_, 1280, 800, kOneScreen), center_rect::Default(1280, 800));
  ASSERT_TRUE(file::WriteAtomic(path_, center_rect::Encode({10, 10, 300, 700}) + "trailing bytes"));
  EXPECT_EQ(center_rect::Load(path_, 1280, 800, kOneScreen), (Rect{10, 10, 300, 700}));
}

TEST_F(CenterRectTest, RectangleOutOfReachGivesTheDefault) {
  const Rect fallback = center_rect::Default(1280, 800);
  // Stored on a 1920-wide screen, now 1280 wide.
  ASSERT_TRUE(center_rect::Save(path_, {1715, 5, 1915, 1034}));
  EXPECT_EQ(center_rect::Load(path_, 1280, 800, kOneScreen), fallback);
  // On a second monitor that is gone.
  ASSERT_TRUE(center_rect::Save(path_, {-1500, 100, -1300, 900}));
  EXPECT_EQ(center_rect::Load(path_, 1280, 800, kOneScreen), fallback);
  // The caption above the top of the screen, or below its bottom.
  ASSERT_TRUE(center_rect::Save(path_, {100, -300, 300, 400}));
  EXPECT_EQ(center_rect::Load(path_, 1280, 800, kOneScreen), fallback);
  ASSERT_TRUE(center_rect::Save(path_, {100, 790, 300, 1400}));
  EXPECT_EQ(center_rect::Load(path_, 1280, 800, kOneScreen), fallback);
  // A minimised window's position, an inverted or empty rectangle, extreme values.
  for (Rect bad : {Rect{-32000, -32000, -31840, -31970}, Rect{300, 100, 100, 700}, Rect{100, 100, 100, 700},
                   Rect{-2147483647 - 1, 0, 2147483647, 10}}) {
    ASSERT_TRUE(center_rect::Save(path_, bad));
    EXPECT_EQ(center_rect::Load(path_, 1280, 800, kOneScreen), fallback);
  }
}

TEST_F(CenterRectTest, PartlyVisibleWindowWithAGrabbableCaptionIsKept) {
  EXPECT_TRUE(center_rect::Reachable({1200, 5, 1400, 700}, kOneScreen));   // 80 pixels on screen
  EXPECT_FALSE(center_rect::Reachable({1250, 5, 1450, 700}, kOneScreen));  // 30 pixels: too little to grab
  EXPECT_TRUE(center_rect::Reachable({0, 0, 20, 30}, kOneScreen));         // a tiny window wholly on screen
  EXPECT_TRUE(center_rect::Reachable({100, 700, 300, 1400}, kOneScreen));   // caption on screen, body below
  EXPECT_FALSE(center_rect::Reachable({100, 100, 300, 700}, {}));           // no monitor known
}

}  // namespace
