// The one scoped owner of a system handle, below every level: Traits name
// the handle type, its empty value, its check and its close. The handle
// closes when the owner goes; Close() closes it earlier and tells whether
// that worked (closing a written file is where a late write error shows).
// Header-only, so that the small programs beside brova.exe can use it too.
#pragma once
#include <utility>

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
