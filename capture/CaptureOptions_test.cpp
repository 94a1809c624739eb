#include "capture/CaptureOptions.h"

#include <gtest/gtest.h>

#include "common/File.h"
#include "tests/support/TempFolderTest.h"

namespace {

class CaptureOptionsTest : public TempFolderTest {};

TEST_F(CaptureOptionsTest, EachKeyFallsBackToItsDefaultOnItsOwn) {
  const std::string path = PathOf("capture.ini");
  EXPECT_EQ(ReadCaptureOptions(path), CaptureOptions{}) << "no file";
  using namespace std::string_literals;
  const struct {
    std::string text;
    CaptureFormat format;
    int quality;
    CaptureScreens screens;
    int delay;
  } cases[] = {
      {"[FORMAT]\r\npng\r\n[JPEG_QUALITY]\r\n1\r\n[SCREENS]\r\nall\r\n[DELAY]\r\n30\r\n", CaptureFormat::kPng, 1,
       CaptureScreens::kAll, 30},
      {"// hand-edited\n [format] \n JPG \n[screens]\nCursor\n[jpeg_quality]\n100\n", CaptureFormat::kJpeg, 100,
       CaptureScreens::kCursor, 0},
      // Out of range, not numbers, unknown names, a NUL that ends the text.
      {"[FORMAT]\r\ngif\r\n[JPEG_QUALITY]\r\n0\r\n[SCREENS]\r\nleft\r\n[DELAY]\r\n31\r\n", CaptureFormat::kBmp, 90,
       CaptureScreens::kPrimary, 0},
      {"[JPEG_QUALITY]\r\n101\r\n[DELAY]\r\n-3\r\n", CaptureFormat::kBmp, 90, CaptureScreens::kPrimary, 0},
      {"[JPEG_QUALITY]\r\n 7x\r\n[DELAY]\r\n4294967301\r\n", CaptureFormat::kBmp, 90, CaptureScreens::kPrimary, 0},
      {"[DELAY]\r\n5\r\n[FORMAT]\r\n\0png\r\n"s, CaptureFormat::kBmp, 90, CaptureScreens::kPrimary, 5},
      // A key without its value line takes the next key line as its value.
      {"[FORMAT]\r\n[DELAY]\r\n3\r\n", CaptureFormat::kBmp, 90, CaptureScreens::kPrimary, 3},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(file::WriteAtomic(path, c.text));
    const CaptureOptions o = ReadCaptureOptions(path);
    EXPECT_EQ(o.format, c.format) << c.text;
    EXPECT_EQ(o.jpegQuality, c.quality) << c.text;
    EXPECT_EQ(o.screens, c.screens) << c.text;
    EXPECT_EQ(o.delaySeconds, c.delay) << c.text;
  }
}

TEST_F(CaptureOptionsTest, SaveRewritesEveryKeyAndFailsWithoutItsFolder) {
  const std::string path = PathOf("capture.ini");
  ASSERT_TRUE(file::WriteAtomic(path, "[FORMAT]\r\ntiff\r\n[OLD]\r\nx\r\n"));
  CaptureOptions o = ReadCaptureOptions(path);
  o.jpegQuality = 75;
  ASSERT_TRUE(WriteCaptureOptions(path, o));
  std::string bytes;
  ASSERT_TRUE(file::ReadAll(path, bytes));
  EXPECT_EQ(bytes, "[FORMAT]\r\nbmp\r\n[JPEG_QUALITY]\r\n75\r\n[SCREENS]\r\nprimary\r\n[DELAY]\r\n0\r\n");
  o = CaptureOptions{CaptureFormat::kJpeg, 1, CaptureScreens::kCursor, 10};
  ASSERT_TRUE(WriteCaptureOptions(path, o));
  EXPECT_EQ(ReadCaptureOptions(path), o);
  EXPECT_FALSE(WriteCaptureOptions(PathOf("missing\\capture.ini"), o));
  EXPECT_EQ(ReadCaptureOptions(path), o) << "a failed save leaves the file";
  EXPECT_STREQ(FormatExtension(CaptureFormat::kJpeg), ".jpg");
}

TEST(CaptureFileFormat, BytesFirstThenTheExtension) {
  using namespace std::string_literals;
  // A JPEG capture that fell back to BMP keeps its ".jpg" name.
  EXPECT_EQ(FileFormat("BM\x36\0\0\0"s, "C:\\a\\Snapshot1.jpg"), CaptureFormat::kBmp);
  EXPECT_EQ(FileFormat("\x89PNG\r\n\x1a\n"s, "x.bmp"), CaptureFormat::kPng);
  EXPECT_EQ(FileFormat("\xFF\xD8\xFF\xE0"s, "x"), CaptureFormat::kJpeg);
  EXPECT_EQ(FileFormat("\x89PNG\r\n\0\n"s, "x.JPEG"), CaptureFormat::kJpeg) << "a damaged head";
  EXPECT_EQ(FileFormat("", "C:\\a.b\\new.Png"), CaptureFormat::kPng);
  EXPECT_EQ(FileFormat("", "C:\\a.png\\new"), CaptureFormat::kBmp) << "a dot in a folder's name";
  EXPECT_EQ(FileFormat("B", ""), CaptureFormat::kBmp);
}

}  // namespace
