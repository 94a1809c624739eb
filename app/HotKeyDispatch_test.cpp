#include "app/HotKeyDispatch.h"

#include <gtest/gtest.h>

namespace {

using namespace hotkeyflags;

HotKeySet Defaults() {
  HotKeySet s;
  s.fullScreen = HotKey{'1', 1, 1, 0};
  s.window = HotKey{'2', 1, 1, 0};
  s.region = HotKey{'3', 1, 1, 0};
  return s;
}

TEST(HotKeyDispatch, CaptureKeysNeedExactModifiersAndKeyDown) {
  HotKeySet s = Defaults();
  EXPECT_EQ(DispatchHotKey('1', kKeyDown | kCtrl | kAlt, s), HotKeyAction::kCaptureFullScreen);
  EXPECT_EQ(DispatchHotKey('2', kKeyDown | kCtrl | kAlt, s), HotKeyAction::kCaptureWindow);
  EXPECT_EQ(DispatchHotKey('3', kKeyDown | kCtrl | kAlt, s), HotKeyAction::kCaptureRegion);
  EXPECT_EQ(DispatchHotKey('1', kCtrl | kAlt, s), HotKeyAction::kNone);  // key up
  EXPECT_EQ(DispatchHotKey('1', kKeyDown | kCtrl | kAlt | kShift, s), HotKeyAction::kNone);
  EXPECT_EQ(DispatchHotKey('1', kKeyDown | kCtrl, s), HotKeyAction::kNone);
  EXPECT_EQ(DispatchHotKey('4', kKeyDown | kCtrl | kAlt, s), HotKeyAction::kNone);
  EXPECT_EQ(DispatchHotKey('1' + 0x100, kKeyDown | kCtrl | kAlt, s), HotKeyAction::kNone);
}

TEST(HotKeyDispatch, FirstMatchingRecordWinsInFixedOrder) {
  HotKeySet s = Defaults();
  s.boss = HotKey{'1', 1, 1, 0};  // same as the full-screen key
  EXPECT_EQ(DispatchHotKey('1', kKeyDown | kCtrl | kAlt, s), HotKeyAction::kBossKey);
  s.boss = HotKey{};
  s.cdOpen = HotKey{'O', 0, 1, 1};
  s.cdClose = HotKey{'O', 0, 1, 1};
  EXPECT_EQ(DispatchHotKey('O', kKeyDown | kAlt | kShift, s), HotKeyAction::kCdOpen);
  s.cdOpen = HotKey{};
  EXPECT_EQ(DispatchHotKey('O', kKeyDown | kAlt | kShift, s), HotKeyAction::kCdClose);
}

TEST(HotKeyDispatch, RecordWithoutKeyNeverMatches) {
  HotKeySet unloaded;  // before any settings are read
  EXPECT_EQ(DispatchHotKey(0, kKeyDown, unloaded), HotKeyAction::kNone);
  HotKeySet s = Defaults();
  s.boss = HotKey{0, 1, 1, 0};
  EXPECT_EQ(DispatchHotKey(0, kKeyDown | kCtrl | kAlt, s), HotKeyAction::kNone);
}

TEST(HotKey, StoresFourBytesInOrder) {
  uint8_t bytes[HotKey::kSize] = {};
  HotKey{0x74, 1, 0, 1}.Store(bytes);
  EXPECT_EQ(bytes[0], 0x74);
  EXPECT_EQ(bytes[1], 1);
  EXPECT_EQ(bytes[2], 0);
  EXPECT_EQ(bytes[3], 1);
  EXPECT_EQ(HotKey::Load(bytes), (HotKey{0x74, 1, 0, 1}));
}

}  // namespace
