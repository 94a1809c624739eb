#include "app/HotKeyDispatch.h"

HotKeyAction DispatchHotKey(int keyCode, int flags, const HotKeySet& keys) {
  using namespace hotkeyflags;
  if (!(flags & kKeyDown)) return HotKeyAction::kNone;
  const bool ctrl = flags & kCtrl, alt = flags & kAlt, shift = flags & kShift;
  const struct {
    const HotKey& key;
    HotKeyAction action;
  } order[] = {
      {keys.boss, HotKeyAction::kBossKey},
      {keys.cdOpen, HotKeyAction::kCdOpen},
      {keys.cdClose, HotKeyAction::kCdClose},
      {keys.fullScreen, HotKeyAction::kCaptureFullScreen},
      {keys.window, HotKeyAction::kCaptureWindow},
      {keys.region, HotKeyAction::kCaptureRegion},
  };
  for (const auto& entry : order)
    if (entry.key.Matches(keyCode, ctrl, alt, shift)) return entry.action;
  return HotKeyAction::kNone;
}
