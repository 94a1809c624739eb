#include "win/CommonControls.h"

namespace win {
namespace {

HMODULE Library() {
  // The program's manifest makes this the version 6 library.
  static HMODULE module = LoadLibraryW(L"comctl32.dll");
  return module;
}

template <class Fn>
Fn Function(const char* name) {
  HMODULE m = Library();
  return m ? reinterpret_cast<Fn>(GetProcAddress(m, name)) : nullptr;
}

}  // namespace

bool InitCommonControls(DWORD classes) {
  using Fn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  static Fn init = Function<Fn>("InitCommonControlsEx");
  INITCOMMONCONTROLSEX icc{sizeof icc, classes};
  return init && init(&icc);
}

HIMAGELIST ImageListCreate(int cx, int cy, UINT flags, int initial, int grow) {
  using Fn = HIMAGELIST(WINAPI*)(int, int, UINT, int, int);
  static Fn create = Function<Fn>("ImageList_Create");
  return create ? create(cx, cy, flags, initial, grow) : nullptr;
}

int ImageListAddIcon(HIMAGELIST list, HICON icon) {
  using Fn = int(WINAPI*)(HIMAGELIST, int, HICON);
  static Fn replace = Function<Fn>("ImageList_ReplaceIcon");
  return replace && list ? replace(list, -1, icon) : -1;
}

}  // namespace win
