// The system-wide source of key reports for the frame: the keys of the
// hot-key records are registered with the system, and each press is posted
// to the frame as message 0x052D (wParam key code, lParam flags with bit 3
// set, bit 2 Alt, bit 1 Ctrl, bit 0 Shift), whichever program has the focus.
#pragma once
#include <windows.h>

#include <vector>

#include "app/HotKeyDispatch.h"
#include "win/Window.h"

class CHotKeySource : public win::Window {
 public:
  // Creates the source's message-only window; reports go to target.
  bool Start(HWND target);
  // Registers exactly the keys of the records (called after every reload).
  void Update(const HotKeySet& keys);
  void Stop();
  // How many distinct keys are registered with the system.
  int registered() const { return static_cast<int>(registered_.size()); }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void UnregisterAll();

  HWND target_ = nullptr;
  struct Registered {
    int id;
    HotKey key;
  };
  std::vector<Registered> registered_;
};
