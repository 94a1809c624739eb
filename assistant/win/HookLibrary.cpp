#include "assistant/win/HookLibrary.h"

#include "common/Text.h"
#include "common/win/ProgramFolder.h"

namespace {
constexpr char kHookLibraryPath[] = "data\\trelk.dll";
}  // namespace

CHookLibrary& CHookLibrary::Instance() {
  static CHookLibrary library;
  return library;
}

void CHookLibrary::Install(HWND window) {
  if (module_) Release();
  module_ = LoadLibraryW(text::Widen(InProgramFolder(kHookLibraryPath)).c_str());
  if (!module_) return;
  initialEnvironment_ = reinterpret_cast<InitialEnvironmentFn>(GetProcAddress(module_, "InitialEnvironment"));
  setNextHook_ = reinterpret_cast<SetNextHookFn>(GetProcAddress(module_, "SetNextHook"));
  mouseProc_ = reinterpret_cast<HOOKPROC>(GetProcAddress(module_, "MouseProc"));
  if (initialEnvironment_) initialEnvironment_(window);
  if (mouseProc_) hook_ = SetWindowsHookExW(WH_MOUSE, mouseProc_, module_, 0);
}

void CHookLibrary::Release() {
  if (hook_) UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  if (module_) FreeLibrary(module_);
  module_ = nullptr;
  initialEnvironment_ = nullptr;
  setNextHook_ = nullptr;
  mouseProc_ = nullptr;
}
