#include "plans/PromptSkin.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "common/File.h"
#include "common/Text.h"
#include "common/WholeFile.h"
#include "plans/PromptButtonSet.h"

namespace {

struct Loader {
  std::set<std::string> missing;
  std::vector<std::pair<std::string, int>> asked;
  PromptBitmapLoader Fn() {
    return [this](const std::string& path, int button) {
      asked.push_back({path, button});
      return !path.empty() && !missing.count(path);
    };
  }
};

int Read(const std::string& text, PromptSkin& skin, Loader& loader) {
  CWholeFile file;
  file.SetBytes(text);
  return ReadPromptSkin(file, skin, loader.Fn());
}

const std::string kHead =
    "// prompt skin\r\n[DIALOG_PROMPT_LIST_POSITION]\r\n// x,y,w,h\r\n80,150,130,160\r\n"
    "[BITMAP_BACKGROUND_PROMPT]\r\ndata\\prompt_bg.bmp\r\n[BUTTON_BEGIN_PROMPT]\r\n";

TEST(PromptSkin, ReadsTheKeysInOrderAndTheButtons) {
  Loader loader;
  PromptSkin skin;
  EXPECT_EQ(Read(kHead + "220,150,70,22,0,100,0,data\\ok.bmp\r\n"
                         "// a comment\r\n5,5,16,16,3,199,1,data\\pin.bmp  trailing words\r\n"
                         "[BUTTON_END]\r\n1,1,1,1,0,0,0,data\\ignored.bmp\r\n",
                 skin, loader),
            kSkinLoaded);
  EXPECT_TRUE(skin.listPositionRead);
  EXPECT_EQ(skin.listX, 80);
  EXPECT_EQ(skin.listY, 150);
  EXPECT_EQ(skin.listWidth, 130);
  EXPECT_EQ(skin.listHeight, 160);
  EXPECT_EQ(skin.backgroundPath, "data\\prompt_bg.bmp");
  ASSERT_EQ(skin.buttons.size(), 2u);
  EXPECT_EQ(skin.buttons[0].x, 220);
  EXPECT_EQ(skin.buttons[0].width, 70);
  EXPECT_EQ(skin.buttons[0].mask, 100);
  EXPECT_EQ(skin.buttons[1].state, 3);
  EXPECT_EQ(skin.buttons[1].radio, 1);
  EXPECT_EQ(skin.buttons[1].bitmapPath, "data\\pin.bmp");
  ASSERT_EQ(loader.asked.size(), 3u);
  EXPECT_EQ(loader.asked[0].second, -1);
  EXPECT_EQ(loader.asked[2].second, 1);

  // Keys are found as line prefixes without case; the list may run to the end.
  PromptSkin lower;
  EXPECT_EQ(Read("[dialog_prompt_list_position] x\n1,2,3,4\n[Bitmap_Background_Prompt]\nbg.bmp\n"
                 "[button_begin_prompt]\n0,0,10,10,0,100,0,b.bmp",
                 lower, loader),
            kSkinLoaded);
  EXPECT_EQ(lower.buttons.size(), 1u);
}

TEST(PromptSkin, ButtonLinesKeepDefaultsForWhatTheyLeaveOut) {
  PromptSkinButton b;
  ASSERT_TRUE(ParsePromptButtonLine("7,8", b));
  EXPECT_EQ(b.x, 7);
  EXPECT_EQ(b.y, 8);
  EXPECT_EQ(b.width, 100);
  EXPECT_EQ(b.height, 20);
  EXPECT_EQ(b.bitmapPath, "");
  ASSERT_TRUE(ParsePromptButtonLine(" 1, 2,3;4,5", b));  // stops at the ';'
  EXPECT_EQ(b.y, 2);
  EXPECT_EQ(b.width, 3);
  EXPECT_EQ(b.height, 20);
  ASSERT_TRUE(ParsePromptButtonLine("1,2,3,4,9,0,0,x.bmp", b));
  EXPECT_EQ(b.state, 0);  // no frame 9 in a strip of five
  ASSERT_TRUE(ParsePromptButtonLine("1,2,3,4,0,0,0," + text::ToGb("图\\按钮.bmp"), b));
  EXPECT_EQ(b.bitmapPath, "图\\按钮.bmp");
  EXPECT_TRUE(ParsePromptButtonLine("0,0,1,1,0,0,0," + std::string(259, 'p'), b));
  EXPECT_FALSE(ParsePromptButtonLine("0,0,1,1,0,0,0," + std::string(260, 'p'), b));
}

// Places and sizes come from a file anyone can edit: they are held to
// 0-32767, so a button's rectangle and the frame offset in its strip stay
// within int.
TEST(PromptSkin, HugeOrNegativePlacesAndSizesAreBounded) {
  Loader loader;
  PromptSkin skin;
  EXPECT_EQ(Read("[DIALOG_PROMPT_LIST_POSITION]\n99999999999,-7,2147483647,-2147483648\n"
                 "[BITMAP_BACKGROUND_PROMPT]\nbg.bmp\n[BUTTON_BEGIN_PROMPT]\n"
                 "2147483647,99999999999,2147483647,2147483647,4,100,0,a.bmp\n"
                 "-2147483648,-5,-1,-99999999999,0,100,0,b.bmp\n[BUTTON_END]\n",
                 skin, loader),
            kSkinLoaded);
  EXPECT_EQ(std::vector<int>({skin.listX, skin.listY, skin.listWidth, skin.listHeight}),
            std::vector<int>({32767, 0, 32767, 0}));
  ASSERT_EQ(skin.buttons.size(), 2u);
  const PromptSkinButton& big = skin.buttons[0];
  EXPECT_EQ(std::vector<int>({big.x, big.y, big.width, big.height}), std::vector<int>({32767, 32767, 32767, 32767}));
  const PromptSkinButton& small = skin.buttons[1];
  EXPECT_EQ(std::vector<int>({small.x, small.y, small.width, small.height}), std::vector<int>({0, 0, 0, 0}));

  CPromptButtonSet set;
  for (const PromptSkinButton& b : skin.buttons) set.Add(b);
  // A button handed over unbounded is held to the same limits.
  PromptSkinButton raw;
  raw.x = raw.y = raw.width = raw.height = INT_MAX;
  raw.state = CPromptButtonSet::kSelected;
  set.Add(raw);
  for (int i : {0, 2}) {
    EXPECT_EQ(set.At(i).rect, (Rect{32767, 32767, 65534, 65534})) << i;
    EXPECT_EQ(set.FrameLeft(i), 4 * 32767) << i;
  }
  EXPECT_EQ(set.HitTest(65533, 65533), 2);
  EXPECT_EQ(set.At(1).rect, (Rect{0, 0, 0, 0}));
}

TEST(PromptSkin, EleventhButtonIsRefusedAndTheFirstTenStay) {
  std::string text = kHead;
  for (int i = 0; i < 11; ++i) text += std::to_string(i * 10) + ",0,10,10,0,100,0,b.bmp\r\n";
  text += "[BUTTON_END]\r\n";
  Loader loader;
  PromptSkin skin;
  EXPECT_EQ(Read(text, skin, loader), kSkinButtonRefused);
  ASSERT_EQ(skin.buttons.size(), 10u);
  EXPECT_EQ(skin.buttons[9].x, 90);
}

TEST(PromptSkin, FailuresStopWhereTheyHappenAndKeepWhatWasRead) {
  Loader loader;
  loader.missing = {"data\\missing.bmp"};
  PromptSkin skin;
  EXPECT_EQ(Read(kHead + "0,0,10,10,0,100,0,a.bmp\r\n0,0,10,10,0,100,0,data\\missing.bmp\r\n"
                         "0,0,10,10,0,100,0,c.bmp\r\n[BUTTON_END]\r\n",
                 skin, loader),
            kSkinButtonRefused);
  EXPECT_EQ(skin.buttons.size(), 1u);

  PromptSkin bg;
  EXPECT_EQ(Read("[DIALOG_PROMPT_LIST_POSITION]\n1,2,3,4\n[BITMAP_BACKGROUND_PROMPT]\n"
                 "data\\missing.bmp\n[BUTTON_BEGIN_PROMPT]\n[BUTTON_END]\n",
                 bg, loader),
            kSkinNoBackground);
  EXPECT_TRUE(bg.listPositionRead);

  // Keys are searched forward only: the background before the list position
  // is not found again.
  PromptSkin order;
  EXPECT_EQ(Read("[BITMAP_BACKGROUND_PROMPT]\nbg.bmp\n[DIALOG_PROMPT_LIST_POSITION]\n1,2,3,4\n"
                 "[BUTTON_BEGIN_PROMPT]\n[BUTTON_END]\n",
                 order, loader),
            kSkinNoBackground);
  EXPECT_TRUE(order.listPositionRead);

  PromptSkin shortPosition;
  EXPECT_EQ(Read("[DIALOG_PROMPT_LIST_POSITION]\n1,2,3\n", shortPosition, loader),
            kSkinNoListPosition);
  EXPECT_FALSE(shortPosition.listPositionRead);

  PromptSkin keyLast;
  EXPECT_EQ(Read("[DIALOG_PROMPT_LIST_POSITION]\n// only a comment\n", keyLast, loader),
            kSkinNoListPosition);

  PromptSkin noList;
  EXPECT_EQ(Read("[DIALOG_PROMPT_LIST_POSITION]\n1,2,3,4\n[BITMAP_BACKGROUND_PROMPT]\nbg.bmp\n",
                 noList, loader),
            kSkinNoButtonList);

  PromptSkin none;
  EXPECT_EQ(LoadPromptSkin("/nonexistent/config.dat", none, loader.Fn()), kSkinFileMissing);
}

// The default skin that the installation ships, read as the prompt reads it
// from the program folder; each bitmap must fit its place.
TEST(PromptSkin, ShippedSkinLoadsWithBitmapsOfTheRightSize) {
  std::string here = __FILE__;
  std::string root = here.substr(0, here.find_last_of("/\\") + 1) + "../resources/";
  struct Size {
    int width = 0, height = 0;
  };
  std::vector<Size> sizes;
  PromptSkin skin;
  int result = LoadPromptSkin(root + "data/config.dat", skin, [&](const std::string& path, int) {
    std::string bytes;
    if (!file::ReadAll(root + path, bytes) || bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0)
      return false;
    auto le32 = [&](size_t at) {
      return int(uint8_t(bytes[at])) | int(uint8_t(bytes[at + 1])) << 8 |
             int(uint8_t(bytes[at + 2])) << 16 | int(uint8_t(bytes[at + 3])) << 24;
    };
    sizes.push_back({le32(18), le32(22)});
    return true;
  });
  ASSERT_EQ(result, kSkinLoaded);
  ASSERT_EQ(sizes.size(), 1 + skin.buttons.size());
  EXPECT_EQ(sizes[0].width, 300);
  EXPECT_EQ(sizes[0].height, 180);
  ASSERT_GE(skin.buttons.size(), 1u);
  for (size_t i = 0; i < skin.buttons.size(); ++i) {
    const PromptSkinButton& b = skin.buttons[i];
    EXPECT_EQ(sizes[i + 1].width, 5 * b.width);  // five state frames
    EXPECT_EQ(sizes[i + 1].height, b.height);
    EXPECT_LE(b.x + b.width, 300);
    EXPECT_LE(b.y + b.height, 180);
  }
  EXPECT_LE(skin.listX + skin.listWidth, skin.buttons[0].x);
}

}  // namespace
