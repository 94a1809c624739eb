#include "app/win/HotKeySource.h"

#include "app/win/Messages.h"

namespace {
const wchar_t kClass[] = L"brova.HotKeySource";
#ifndef MOD_NOREPEAT
#define MOD_NOREPEAT 0x4000
#endif
}  // namespace

bool CHotKeySource::Start(HWND target) {
  target_ = target;
  if (hwnd()) return true;
  RegisterClass(kClass);
  return Create(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE);
}

void CHotKeySource::UnregisterAll() {
  for (const Registered& r : registered_) UnregisterHotKey(hwnd(), r.id);
  registered_.clear();
}

void CHotKeySource::Update(const HotKeySet& keys) {
  UnregisterAll();
  if (!hwnd()) return;
  const HotKey all[] = {keys.boss, keys.cdOpen, keys.cdClose, keys.fullScreen, keys.window, keys.region};
  int nextId = 1;
  for (const HotKey& k : all) {
    if (k.key == 0) continue;
    bool seen = false;
    for (const Registered& r : registered_) seen = seen || r.key == k;
    if (seen) continue;
    UINT mods = MOD_NOREPEAT | (k.ctrl ? MOD_CONTROL : 0) | (k.alt ? MOD_ALT : 0) | (k.shift ? MOD_SHIFT : 0);
    // A key that another program holds already cannot be ours; it stays silent.
    if (RegisterHotKey(hwnd(), nextId, mods, k.key) ||
        RegisterHotKey(hwnd(), nextId, mods & ~MOD_NOREPEAT, k.key)) {
      registered_.push_back({nextId, k});
    }
    ++nextId;
  }
}

void CHotKeySource::Stop() {
  UnregisterAll();
  Destroy();
}

LRESULT CHotKeySource::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_HOTKEY) {
    for (const Registered& r : registered_) {
      if (r.id != static_cast<int>(wp)) continue;
      int flags = hotkeyflags::kKeyDown | (r.key.alt ? hotkeyflags::kAlt : 0) | (r.key.ctrl ? hotkeyflags::kCtrl : 0) |
                  (r.key.shift ? hotkeyflags::kShift : 0);
      if (target_) PostMessageW(target_, msg::kKeyReport, r.key.key, flags);
    }
    return 0;
  }
  return Window::WindowProc(msg, wp, lp);
}
