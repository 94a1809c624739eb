#include "win/Window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>

namespace {

constexpr unsigned char kFreed = 0xCD;

// A window that destroys itself from a handler and then frees its object, the
// way a self-owning window (the reminder prompt) does. The object lives in a
// buffer so the test can see whether anything touches it after it is freed.
class SelfDeleting : public win::Window {
 public:
  explicit SelfDeleting(unsigned char* storage) : storage_(storage) {}

 protected:
  bool OnCommand(int id, int code, HWND control) override {
    DestroyWindow(hwnd_);
    return true;
  }
  void PostNcDestroy() override {
    unsigned char* storage = storage_;
    this->~SelfDeleting();
    std::memset(storage, kFreed, sizeof(SelfDeleting));
  }

 private:
  unsigned char* storage_;
};

TEST(Window, AnObjectFreedByItsOwnHandlerIsNotTouchedAfterwards) {
  ASSERT_TRUE(win::Window::RegisterClass(L"brova.test.SelfDeleting"));
  alignas(SelfDeleting) unsigned char storage[sizeof(SelfDeleting)];
  auto* window = new (storage) SelfDeleting(storage);
  ASSERT_TRUE(window->Create(0, L"brova.test.SelfDeleting", "self", WS_POPUP, 0, 0, 10, 10, nullptr));
  HWND hwnd = window->hwnd();
  // The command arrives while another message of the same window is being
  // handled, as a click's command does.
  SendMessageW(hwnd, WM_COMMAND, 1, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  for (unsigned char byte : storage) ASSERT_EQ(byte, kFreed) << "the freed object was written to";
  EXPECT_EQ(win::Window::FromHandle(hwnd), nullptr);
}

}  // namespace
