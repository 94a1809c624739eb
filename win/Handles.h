// Scoped owners of the system's handles other than GDI objects (those are in
// win/Gdi.h): kernel objects, menus and registry keys. Each closes its handle
// when it goes; Close() closes it earlier and tells whether that worked
// (closing a written file is where a late write error shows).
//
// Header-only and without other includes of ours, so that the small programs
// beside brova.exe can use it too.
#pragma once
#include <windows.h>

#include <utility>

namespace win {

template <class Traits>
class ScopedHandle {
 public:
  using Type = typename Traits::Type;

  ScopedHandle() = default;
  explicit ScopedHandle(Type h) : h_(h) {}
  ScopedHandle(ScopedHandle&& o) noexcept : h_(o.release()) {}
  ScopedHandle& operator=(ScopedHandle&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  ~ScopedHandle() { Close(); }

  Type get() const { return h_; }
  operator Type() const { return h_; }
  explicit operator bool() const { return Traits::Valid(h_); }
  Type release() { return std::exchange(h_, Traits::None()); }
  void reset(Type h = Traits::None()) {
    Close();
    h_ = h;
  }
  // For functions that hand a new handle out through a pointer: closes the
  // one held first.
  Type* Receive() {
    reset();
    return &h_;
  }
  bool Close() {
    if (!Traits::Valid(h_)) return true;
    return Traits::Close(std::exchange(h_, Traits::None()));
  }

 private:
  Type h_ = Traits::None();
};

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
