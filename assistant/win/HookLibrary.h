// Binding of the hook library data\trelk.dll, which reports mouse and key
// activity on the whole desktop to the picking window.
#pragma once
#include <windows.h>

class CHookLibrary {
 public:
  CHookLibrary() = default;
  CHookLibrary(const CHookLibrary&) = delete;
  CHookLibrary& operator=(const CHookLibrary&) = delete;
  ~CHookLibrary() { Release(); }

  // Loads the library, registers window with it and installs its mouse hook.
  // A missing library or export leaves the object empty.
  void Install(HWND window);
  // Unhooks and unloads; harmless when nothing is loaded.
  void Release();
  bool loaded() const { return module_ != nullptr; }

  // The one program-wide object.
  static CHookLibrary& Instance();

 private:
  using InitialEnvironmentFn = BOOL(WINAPI*)(HWND);
  using SetNextHookFn = void(WINAPI*)(HHOOK);

  HMODULE module_ = nullptr;
  InitialEnvironmentFn initialEnvironment_ = nullptr;
  SetNextHookFn setNextHook_ = nullptr;
  HOOKPROC mouseProc_ = nullptr;
  HHOOK hook_ = nullptr;
};

// The hook library bound to one window for as long as this lives: the
// picking window holds one while it is open.
class CHookBinding {
 public:
  explicit CHookBinding(HWND window) { CHookLibrary::Instance().Install(window); }
  ~CHookBinding() { CHookLibrary::Instance().Release(); }
  CHookBinding(const CHookBinding&) = delete;
  CHookBinding& operator=(const CHookBinding&) = delete;
};
