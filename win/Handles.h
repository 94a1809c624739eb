// Scoped owners of the system's handles other than GDI objects (those are in
// win/Gdi.h): kernel objects, menus and registry keys, on the one scoped
// handle type of common/ScopedHandle.h.
//
// Header-only, so that the small programs beside brova.exe can use it too.
#pragma once
#include <windows.h>

#include "common/ScopedHandle.h"

namespace win {

using ::ScopedHandle;

struct KernelHandleTraits {
  using Type = HANDLE;
  // CreateFile fails with INVALID_HANDLE_VALUE, most other functions with null.
  static Type None() { return nullptr; }
  static bool Valid(Type h) { return h && h != INVALID_HANDLE_VALUE; }
  static bool Close(Type h) { return CloseHandle(h) != 0; }
};

struct MenuTraits {
  using Type = HMENU;
  static Type None() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static bool Close(Type h) { return DestroyMenu(h) != 0; }
};

struct RegKeyTraits {
  using Type = HKEY;
  static Type None() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static bool Close(Type h) { return RegCloseKey(h) == ERROR_SUCCESS; }
};

using Handle = ScopedHandle<KernelHandleTraits>;
using Menu = ScopedHandle<MenuTraits>;
using RegKey = ScopedHandle<RegKeyTraits>;

}  // namespace win
