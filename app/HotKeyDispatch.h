// Which action a key report from the hook library starts. The report carries
// the virtual-key code and flags: bit 3 key down, bit 2 Alt, bit 1 Ctrl,
// bit 0 Shift.
#pragma once
#include "common/FrameMessages.h"
#include "common/HotKey.h"

enum class HotKeyAction { kNone, kBossKey, kCdOpen, kCdClose, kCaptureFullScreen, kCaptureWindow, kCaptureRegion };

namespace hotkeyflags = frame_msg::key_flags;

// The records the frame compares, in the order they are tried.
struct HotKeySet {
  HotKey boss;
  HotKey cdOpen;
  HotKey cdClose;
  HotKey fullScreen;
  HotKey window;
  HotKey region;
};

// The first record equal to the report wins; key releases start nothing.
HotKeyAction DispatchHotKey(int keyCode, int flags, const HotKeySet& keys);
