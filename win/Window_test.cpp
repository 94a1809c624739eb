// The window layer under a real window manager (Wine): attaching, message
// unpacking, our modal loop with pre-translation, thread messages.
#include <gtest/gtest.h>

#include <cstring>
#include <new>

#include "resources/app_ids.h"
#include "tests/support/Pump_windows.h"
#include "win/App.h"
#include "win/Dialog.h"
#include "win/Window.h"

namespace {

const wchar_t kClass[] = L"brova.test.Window";

class Recorder : public win::Window {
 public:
  int commands = 0;
  int lastId = 0, lastCode = 0;
  bool destroyed = false;
  bool ncDestroyed = false;
  UINT privateSeen = 0;

 protected:
  bool OnCommand(int id, int code, HWND) override {
    ++commands;
    lastId = id;
    lastCode = code;
    return id == 100;  // 100 is ours, anything else goes on to the default
  }
  void OnDestroy() override { destroyed = true; }
  void PostNcDestroy() override { ncDestroyed = true; }
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_APP + 1) {
      privateSeen = static_cast<UINT>(wp);
      return 7;
    }
    return Window::WindowProc(msg, wp, lp);
  }
};

bool MakeWindow(Recorder& w) {
  win::Window::RegisterClass(kClass);
  return w.Create(0, kClass, "测试", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr);
}

TEST(Window, AttachesOnCreateAndDetachesWhenDestroyed) {
  Recorder w;
  ASSERT_TRUE(MakeWindow(w));
  HWND h = w.hwnd();
  EXPECT_EQ(win::Window::FromHandle(h), &w);
  EXPECT_EQ(w.Text(), "测试");
  DestroyWindow(h);
  EXPECT_TRUE(w.destroyed);
  EXPECT_TRUE(w.ncDestroyed);
  EXPECT_EQ(w.hwnd(), nullptr);
  EXPECT_EQ(win::Window::FromHandle(h), nullptr);
}

TEST(Window, UnpacksCommandsAndPrivateMessages) {
  Recorder w;
  ASSERT_TRUE(MakeWindow(w));
  SendMessageW(w.hwnd(), WM_COMMAND, MAKEWPARAM(100, 3), 0);
  EXPECT_EQ(w.commands, 1);
  EXPECT_EQ(w.lastId, 100);
  EXPECT_EQ(w.lastCode, 3);
  EXPECT_EQ(SendMessageW(w.hwnd(), WM_APP + 1, 55, 0), 7);
  EXPECT_EQ(w.privateSeen, 55u);
}

// A window on the shared behaviour: its own colours, a button, a painter.
class Painted : public win::Window {
 public:
  static constexpr COLORREF kInk = RGB(1, 2, 3), kPaper = RGB(10, 200, 30), kFace = RGB(200, 10, 90);
  int clicked = 0;
  int layouts = 0;

 protected:
  int OnCreate(CREATESTRUCTW*) override {
    SetColors(kInk, kPaper);
    return 0;
  }
  bool OnButtonClicked(int id) override {
    clicked = id;
    return true;
  }
  void Layout() override { ++layouts; }
  bool PaintsWholeClient() const override { return true; }
  void PaintContent(HDC dc, const RECT& client) override {
    win::Brush face(CreateSolidBrush(kFace));
    FillRect(dc, &client, face);
  }
};

TEST(Window, ClicksColoursAndPaintingComeFromTheBase) {
  Painted w;
  win::Window::RegisterClass(kClass);
  ASSERT_TRUE(w.Create(0, kClass, "p", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr));
  HWND button = CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 50, 20, w.hwnd(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(321)), nullptr, nullptr);
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 30, 50, 20, w.hwnd(), nullptr, nullptr, nullptr);
  ASSERT_TRUE(button && edit);

  // A real button's click arrives as BN_CLICKED; other codes do not count.
  SendMessageW(w.hwnd(), WM_COMMAND, MAKEWPARAM(321, BN_SETFOCUS), reinterpret_cast<LPARAM>(button));
  EXPECT_EQ(w.clicked, 0);
  SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_EQ(w.clicked, 321);
  // An action set for the button takes its clicks; setting it again replaces it.
  int actions = 0;
  w.OnClick(321, [&] { actions += 1; });
  w.OnClick(321, [&] { actions += 10; });
  w.clicked = 0;
  SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_EQ(actions, 10);
  EXPECT_EQ(w.clicked, 0);

  // Static texts and buttons get the window's colours and brush; a box that
  // takes typing keeps the system's.
  win::OwnedDc dc = win::OwnedDc::Compatible(nullptr);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(w.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(button)));
  ASSERT_NE(brush, nullptr);
  EXPECT_EQ(brush, w.BackgroundBrush());
  EXPECT_EQ(GetTextColor(dc), Painted::kInk);
  EXPECT_EQ(GetBkColor(dc), Painted::kPaper);
  EXPECT_EQ(SendMessageW(w.hwnd(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(button)),
            reinterpret_cast<LRESULT>(brush));
  EXPECT_NE(SendMessageW(w.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(edit)),
            reinterpret_cast<LRESULT>(brush));

  // PaintContent draws for WM_PRINTCLIENT and the erase, which says it painted.
  win::WindowDc screen(nullptr);
  win::OwnedDc mem = win::OwnedDc::Compatible(screen);
  win::Bitmap bitmap(CreateCompatibleBitmap(screen, 200, 150));
  win::Select use(mem, bitmap);
  SendMessageW(w.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.get()), PRF_CLIENT);
  EXPECT_EQ(GetPixel(mem, 5, 5), Painted::kFace);
  SetPixel(mem, 5, 5, RGB(0, 0, 0));
  EXPECT_EQ(SendMessageW(w.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem.get()), 0), 1);
  EXPECT_EQ(GetPixel(mem, 5, 5), Painted::kFace);

  // A DPI change moves the window to the suggested place and lays it out again.
  int layouts = w.layouts;
  RECT suggested{20, 30, 260, 230};
  SendMessageW(w.hwnd(), WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested));
  RECT now = w.WindowRect();
  EXPECT_EQ(now.left, 20);
  EXPECT_EQ(now.right - now.left, 240);
  EXPECT_GT(w.layouts, layouts);
}

TEST(Window, ThreadMessagesReachTheMainWindow) {
  Recorder w;
  ASSERT_TRUE(MakeWindow(w));
  win::App::SetMainWindow(&w);
  PostThreadMessageW(GetCurrentThreadId(), WM_APP + 1, 9, 0);
  test_pump::Pending();
  win::App::SetMainWindow(nullptr);
  EXPECT_EQ(w.privateSeen, 9u);
}

// A modal dialog that sees a key message in PreTranslateMessage (so our own
// loop runs inside it) and then ends itself.
class KeyWatcher : public win::Dialog {
 public:
  KeyWatcher() : Dialog(IDD_ABOUTBOX) {}
  bool ownerWasDisabled = false;
  bool visibleAtKey = false;
  bool defaultFocus = true;  // what OnInitDialog returns
  HWND owner = nullptr;

 protected:
  BOOL OnInitDialog() override {
    ownerWasDisabled = owner && !IsWindowEnabled(owner);
    PostMessageW(GetDlgItem(hwnd_, IDOK), WM_KEYDOWN, 'Q', 0);
    return defaultFocus;
  }
  bool PreTranslateMessage(MSG& msg) override {
    if (msg.message == WM_KEYDOWN && msg.wParam == 'Q') {
      visibleAtKey = IsWindowVisible(hwnd_) != FALSE;
      EndDialog(42);
      return true;
    }
    return Dialog::PreTranslateMessage(msg);
  }
};

TEST(Dialog, ModalLoopPreTranslatesAndReturnsTheResult) {
  Recorder owner;
  ASSERT_TRUE(MakeWindow(owner));
  ShowWindow(owner.hwnd(), SW_SHOW);
  KeyWatcher dlg;
  dlg.owner = owner.hwnd();
  EXPECT_EQ(dlg.DoModal(owner.hwnd()), 42);
  EXPECT_TRUE(dlg.ownerWasDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  EXPECT_EQ(dlg.hwnd(), nullptr) << "the dialog window is gone after DoModal";
}

// Made ahead (CreateModal), a dialog that takes no default focus stays
// hidden and inactive, its owner disabled, until it runs; one never run
// goes with its object and enables its owner again.
TEST(Dialog, MadeAheadStaysHiddenUntilItRuns) {
  Recorder owner;
  ASSERT_TRUE(MakeWindow(owner));
  ShowWindow(owner.hwnd(), SW_SHOW);
  SetActiveWindow(owner.hwnd());
  HWND unused = nullptr;
  {
    KeyWatcher dlg;
    dlg.defaultFocus = false;
    ASSERT_TRUE(dlg.CreateModal(owner.hwnd()));
    unused = dlg.hwnd();
    EXPECT_FALSE(IsWindowEnabled(owner.hwnd()));
    EXPECT_FALSE(IsWindowVisible(unused));
    EXPECT_NE(GetActiveWindow(), unused);
  }
  EXPECT_FALSE(IsWindow(unused));
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));

  KeyWatcher dlg;
  dlg.defaultFocus = false;
  dlg.owner = owner.hwnd();
  ASSERT_TRUE(dlg.CreateModal(owner.hwnd()));
  EXPECT_FALSE(IsWindowVisible(dlg.hwnd()));
  EXPECT_EQ(dlg.RunModal(), 42);
  EXPECT_TRUE(dlg.visibleAtKey);
  EXPECT_TRUE(dlg.ownerWasDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  EXPECT_EQ(dlg.RunModal(), -1) << "run once";
}

// A dialog whose layout places one static text of its template.
class PlacedStatic : public win::Dialog {
 public:
  PlacedStatic() : Dialog(IDD_ABOUTBOX) {}
  int layouts = 0;

 protected:
  void Layout() override {
    ++layouts;
    PlaceItem(IDC_VERSION, {10, 20, 110, 40});
  }
};

// The dialog manager handles a DPI change first (under per-monitor v2 it
// sets new fonts and sizes); then the dialog's own layout places the
// static, which shows in the font the dialog itself has.
TEST(Dialog, DpiChangeGoesToTheDialogManagerAndThenToTheLayout) {
  PlacedStatic dlg;
  ASSERT_TRUE(dlg.Create(nullptr));
  const int layouts = dlg.layouts;
  RECT suggested{40, 50, 500, 450};
  SendMessageW(dlg.hwnd(), WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(dlg.WindowRect().left, 40);
  EXPECT_EQ(dlg.WindowRect().top, 50);
  EXPECT_GT(dlg.layouts, layouts);
  const RECT placed = dlg.ItemRectInClient(IDC_VERSION);
  EXPECT_EQ(placed.left, dlg.Px(10));
  EXPECT_EQ(placed.top, dlg.Px(20));
  EXPECT_EQ(placed.right - placed.left, dlg.Px(100));
  EXPECT_EQ(placed.bottom - placed.top, dlg.Px(20));
  auto font = reinterpret_cast<HFONT>(SendMessageW(dlg.Item(IDC_VERSION), WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT)) << "a font that still exists";
  EXPECT_EQ(font, reinterpret_cast<HFONT>(dlg.Send(WM_GETFONT))) << "the dialog's own font";
  LOGFONTW face{};
  ASSERT_EQ(GetObjectW(font, sizeof face, &face), static_cast<int>(sizeof face));
  EXPECT_LT(face.lfHeight, 0) << "a point size, as the template gives it";
  dlg.Destroy();
}

class Closer : public win::Dialog {
 public:
  Closer() : Dialog(IDD_ABOUTBOX) {}

 protected:
  BOOL OnInitDialog() override {
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    return TRUE;
  }
};

TEST(Dialog, CloseBoxEndsAModalDialogAsCancel) {
  Closer dlg;
  EXPECT_EQ(dlg.DoModal(nullptr), IDCANCEL);
}

TEST(Dialog, MissingTemplateFailsWithMinusOne) {
  win::Dialog dlg(9999);
  EXPECT_EQ(dlg.DoModal(nullptr), -1);
}

}  // namespace

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

// A main window that ends the program as it goes, and then, as a call on the
// way out may, runs a loop that takes every queued message, WM_QUIT too.
class EndsAndDrains : public win::Window {
 protected:
  void OnDestroy() override {
    win::App::Quit(7);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
    }
  }
};

TEST(App, TheLoopEndsWhenALoopOnTheWayOutTookItsQuitMessage) {
  ASSERT_TRUE(win::Window::RegisterClass(L"brova.test.EndsAndDrains"));
  EndsAndDrains w;
  ASSERT_TRUE(w.Create(0, L"brova.test.EndsAndDrains", "end", WS_POPUP, 0, 0, 10, 10, nullptr));
  PostMessageW(w.hwnd(), WM_CLOSE, 0, 0);
  // Should the loop wait on, this ends it with another code.
  const UINT_PTR guard = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(1); });
  EXPECT_EQ(win::App::Run(), 7);
  KillTimer(nullptr, guard);
  EXPECT_FALSE(IsWindow(w.hwnd()));
  // The next loop runs: a modal dialog still shows and ends with its result.
  EXPECT_FALSE(win::App::Quitting());
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "a WM_QUIT was left for the next loop";
}

}  // namespace
