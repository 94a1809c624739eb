// The image view's scrolling and painting, the key list and the hot-key
// picker, the result window's drawing and the settings page's save, on
// real windows.
#include <gtest/gtest.h>

#include "capture/win/CaptureEngine.h"
#include "capture/win/CaptureSettingsDlg.h"
#include "capture/win/SnapshotView.h"
#include "common/File.h"
#include "common/FrameMessages.h"
#include "common/KeyNameTable.h"
#include "common/Text.h"
#include "common/win/HotKeyPicker.h"
#include "common/win/KeyCombo.h"
#include "common/win/Palette.h"
#include "common/win/SharedGdi.h"
#include "resources/capture_ids.h"
#include "win/App.h"
#include "win/Controls.h"

namespace {

// A plain top-level window to hold the windows under test.
class Host : public win::Window {
 public:
  Host(int clientW, int clientH) {
    RegisterClass(L"brova.test.host");
    RECT r{0, 0, clientW, clientH};
    AdjustWindowRectEx(&r, WS_POPUP, FALSE, 0);
    Create(WS_EX_TOPMOST, L"brova.test.host", "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
           r.right - r.left, r.bottom - r.top, nullptr);
  }
};

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) win::App::PumpMessage(msg);
}

PicturePtr SolidPicture(int w, int h, COLORREF colour) {
  win::WindowDc screen(nullptr);
  win::Bitmap b(CreateCompatibleBitmap(screen, w, h));
  win::OwnedDc dc = win::OwnedDc::Compatible(screen);
  win::Select s(dc, b);
  win::Brush brush(CreateSolidBrush(colour));
  RECT r{0, 0, w, h};
  FillRect(dc, &r, brush);
  return CCapturePicture::Adopt(std::move(b), w, h);
}

int RangeMax(HWND w, int bar) {
  int lo = 0, hi = 0;
  GetScrollRange(w, bar, &lo, &hi);
  return hi;
}

COLORREF PixelOf(HWND w, int x, int y) {
  UpdateWindow(w);
  win::WindowDc dc(w);
  return GetPixel(dc, x, y) & 0xFFFFFF;
}

// An image view filling its host, showing a picture of w x h.
void ShowView(const Host& host, CSnapshotView& view, PicturePtr picture, int w, int h) {
  ASSERT_TRUE(host.hwnd());
  ASSERT_TRUE(view.Create(host.hwnd()));
  RECT c = host.ClientRect();
  MoveWindow(view.hwnd(), 0, 0, c.right, c.bottom, TRUE);
  view.Show(SW_SHOW);
  view.SetPicture(std::move(picture), w, h);
  Pump();
}

TEST(SnapshotView, SmallPictureAtTheOriginWithBlackStrips) {
  Host host(400, 300);
  CSnapshotView view;
  ShowView(host, view, SolidPicture(50, 40, RGB(10, 200, 30)), 50, 40);
  EXPECT_EQ(RangeMax(view.hwnd(), SB_HORZ), 0);
  EXPECT_EQ(RangeMax(view.hwnd(), SB_VERT), 0);
  EXPECT_EQ(PixelOf(view.hwnd(), 5, 5), RGB(10, 200, 30));
  EXPECT_EQ(PixelOf(view.hwnd(), 49, 39), RGB(10, 200, 30));
  EXPECT_EQ(PixelOf(view.hwnd(), 50, 10), RGB(0, 0, 0)) << "right of the picture";
  EXPECT_EQ(PixelOf(view.hwnd(), 10, 40), RGB(0, 0, 0)) << "below the picture";
}

TEST(SnapshotView, OnlyTheLargerAxisScrollsAndResizingReturnsToTheTopLeft) {
  Host host(400, 300);
  CSnapshotView view;
  ShowView(host, view, SolidPicture(1000, 100, RGB(200, 10, 10)), 1000, 100);
  RECT c{};
  GetClientRect(view.hwnd(), &c);
  EXPECT_EQ(RangeMax(view.hwnd(), SB_HORZ), 1000 - c.right);
  EXPECT_EQ(RangeMax(view.hwnd(), SB_VERT), 0);

  auto scroll = [&](int code, int thumb = 0) {
    SendMessageW(view.hwnd(), WM_HSCROLL, MAKEWPARAM(code, thumb), 0);
    return view.hPos();
  };
  EXPECT_EQ(scroll(SB_LINERIGHT), 1);
  EXPECT_EQ(scroll(SB_PAGERIGHT), 11);
  EXPECT_EQ(scroll(SB_LINELEFT), 10);
  EXPECT_EQ(scroll(SB_RIGHT), 1000 - c.right);
  EXPECT_EQ(scroll(SB_PAGERIGHT), 1000 - c.right) << "clamped at the end";
  EXPECT_EQ(GetScrollPos(view.hwnd(), SB_HORZ), 1000 - c.right);
  EXPECT_EQ(scroll(SB_LEFT), 0);
  EXPECT_EQ(scroll(SB_PAGELEFT), 0);
  SendMessageW(view.hwnd(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(view.vPos(), 0) << "no vertical range";

  scroll(SB_PAGERIGHT);
  scroll(SB_PAGERIGHT);
  ASSERT_EQ(view.hPos(), 20);
  MoveWindow(view.hwnd(), 0, 0, 300, 250, TRUE);
  EXPECT_EQ(view.hPos(), 0);
  EXPECT_EQ(GetScrollPos(view.hwnd(), SB_HORZ), 0);
  GetClientRect(view.hwnd(), &c);
  EXPECT_EQ(RangeMax(view.hwnd(), SB_HORZ), 1000 - c.right);
}

TEST(SnapshotView, WithoutPictureIsWhite) {
  Host host(200, 150);
  CSnapshotView view;
  ShowView(host, view, nullptr, 0, 0);
  EXPECT_EQ(PixelOf(view.hwnd(), 20, 20), RGB(255, 255, 255));
  EXPECT_EQ(RangeMax(view.hwnd(), SB_HORZ), 0);
}

// A key press reaches the key list the way our message loop hands it over.
void PressKey(HWND target, UINT key) {
  MSG msg{};
  msg.hwnd = target;
  msg.message = WM_KEYDOWN;
  msg.wParam = key;
  win::App::PumpMessage(msg);
}

std::string SelectedName(HWND combo) {
  return CKeyNameTable::Get().Name(static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)));
}

TEST(HotKeyPicker, ShowsEditsAndSavesItsRecord) {
  Host host(500, 100);
  HotKey record{0x31, 1, 1, 0};
  CHotKeyPicker picker;
  picker.Bind(&record);
  ASSERT_TRUE(picker.Create(host.hwnd()));
  HWND keys = picker.Item(IDC_PICKER_KEY);
  EXPECT_EQ(SelectedName(keys), "1");
  EXPECT_TRUE(win::Button(picker.hwnd(), IDC_PICKER_CTRL).Checked());
  EXPECT_TRUE(win::Button(picker.hwnd(), IDC_PICKER_ALT).Checked());
  EXPECT_FALSE(win::Button(picker.hwnd(), IDC_PICKER_SHIFT).Checked());
  EXPECT_EQ(static_cast<int>(SendMessageW(keys, CB_GETCOUNT, 0, 0)), CKeyNameTable::Get().Count());

  // Layout: the list at the top-left, the boxes to its right.
  MoveWindow(picker.hwnd(), 0, 0, 400, 25, TRUE);
  RECT shift = picker.ItemRectInClient(IDC_PICKER_SHIFT), ctrl = picker.ItemRectInClient(IDC_PICKER_CTRL),
       alt = picker.ItemRectInClient(IDC_PICKER_ALT);
  EXPECT_EQ(shift.left, 123);
  EXPECT_EQ(ctrl.left, 186);
  EXPECT_EQ(alt.left, 249);
  EXPECT_EQ(alt.top, 4);
  EXPECT_EQ(alt.right - alt.left, 60);

  PressKey(keys, VK_F5);
  EXPECT_EQ(SelectedName(keys), "VK_F5");
  PressKey(keys, VK_VOLUME_UP);  // not a hot-key key
  EXPECT_EQ(SelectedName(keys), "无");
  PressKey(keys, 'Q');
  win::Button(picker.hwnd(), IDC_PICKER_ALT).SetCheck(false);
  win::Button(picker.hwnd(), IDC_PICKER_SHIFT).SetCheck(true);
  picker.Save();
  EXPECT_EQ(record, (HotKey{'Q', 1, 0, 1}));

  picker.HideControls();
  EXPECT_FALSE(IsWindowVisible(keys));
  EXPECT_FALSE(IsWindowVisible(picker.Item(IDC_PICKER_CTRL)));
}

TEST(HotKeyPicker, UnboundStartsEmpty) {
  Host host(500, 100);
  CHotKeyPicker picker;
  ASSERT_TRUE(picker.Create(host.hwnd()));
  EXPECT_EQ(SelectedName(picker.Item(IDC_PICKER_KEY)), "无");
  EXPECT_FALSE(win::Button(picker.hwnd(), IDC_PICKER_CTRL).Checked());
  picker.Save();  // nothing bound: nothing to write, no crash
}

// A memory bitmap to draw on and read back.
class Canvas {
 public:
  Canvas(int w, int h, COLORREF fill) {
    win::WindowDc screen(nullptr);
    bitmap_.reset(CreateCompatibleBitmap(screen, w, h));
    dc_ = win::OwnedDc::Compatible(screen);
    old_ = SelectObject(dc_, bitmap_);
    win::Brush brush(CreateSolidBrush(fill));
    RECT r{0, 0, w, h};
    FillRect(dc_, &r, brush);
  }
  ~Canvas() { SelectObject(dc_, old_); }
  HDC dc() const { return dc_; }
  // Dark enough to be ink.
  bool Dark(int x, int y) const {
    COLORREF c = GetPixel(dc_, x, y);
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 100;
  }

 private:
  win::Bitmap bitmap_;
  win::OwnedDc dc_;
  HGDIOBJ old_ = nullptr;
};

// Made ahead, as while a capture waits for the screen: hidden, taking no
// activation; its drawing keeps the info line whole.
TEST(CaptureResult, MadeHiddenAndInactiveWithTheInfoLineWholeAboveTheFramedView) {
  const std::string info = capture::InfoLine(1280, 800);
  HWND active =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(active);
  SetActiveWindow(active);
  CCaptureResultDlg result;
  ASSERT_TRUE(result.CreateModal(nullptr));
  EXPECT_FALSE(IsWindowVisible(result.hwnd()));
  EXPECT_EQ(GetActiveWindow(), active);
  result.SetContent([&] { return info; }, 50, 40, SolidPicture(50, 40, RGB(10, 200, 30)));
  const RECT c = result.ClientRect();
  // The window's own drawing: its erase paints all but the view and the
  // buttons, which keep the canvas's black.
  Canvas window(c.right, c.bottom, RGB(0, 0, 0));
  SendMessageW(result.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(window.dc()), 0);
  // The info line alone, where the window puts it.
  Canvas line(c.right, c.bottom, palette::kGrey);
  win::Select font(line.dc(), shared_gdi::Font14(result.Dpi()));
  SetBkMode(line.dc(), TRANSPARENT);
  const std::wstring wide = text::Widen(info);
  const int x0 = result.Px(10), y0 = result.Px(45);
  TextOutW(line.dc(), x0, y0, wide.c_str(), static_cast<int>(wide.size()));
  SIZE extent{};
  GetTextExtentPoint32W(line.dc(), wide.c_str(), static_cast<int>(wide.size()), &extent);
  int ink = 0, lost = 0;
  for (int y = y0; y < y0 + extent.cy && y < c.bottom; ++y)
    for (int x = x0; x < x0 + extent.cx && x < c.right; ++x)
      if (line.Dark(x, y)) {
        ++ink;
        if (!window.Dark(x, y)) ++lost;
      }
  EXPECT_GT(ink, 100);
  EXPECT_EQ(lost, 0) << "of " << ink << " ink pixels of the info line";
  DestroyWindow(active);
}

// The frame's side of a save: it sees the reload message.
class Frame : public win::Window {
 public:
  Frame() {
    RegisterClass(L"brova.test.frame");
    Create(0, L"brova.test.frame", "frame", WS_POPUP, 0, 0, 10, 10, nullptr);
  }
  int reloads = 0;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == frame_msg::kReloadHotKeys) ++reloads;
    return Window::WindowProc(msg, wp, lp);
  }
};

// Answers the message box the page shows after a save.
void CALLBACK ConfirmMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
  if (HWND box = FindWindowW(L"#32770", L"brova")) {
    KillTimer(nullptr, timer);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
}

TEST(CaptureSettingsPage, SavesThroughTheFramesStoreAndTellsTheFrame) {
  wchar_t temp[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
  const std::string folder = text::Narrow(temp) + "brova-settings-page\\";
  ASSERT_TRUE(file::CreateDir(folder));
  ASSERT_TRUE(file::CreateDir(folder + "data"));
  CCaptureSettingsStore store(folder);
  const std::string path = store.Path();
  file::Remove(path);
  ASSERT_EQ(store.Load(), 1) << "no file: the defaults";

  Frame frame;
  win::App::SetMainWindow(&frame);
  CCaptureSettingsDlg page(store);
  ASSERT_TRUE(page.Create(frame.hwnd()));
  win::Edit folderEdit(page.hwnd(), IDC_SAVE_FOLDER);
  EXPECT_EQ(folderEdit.Text(), folder + "Snapshot\\") << "the page starts from the store";
  win::Button(page.hwnd(), IDC_TO_CLIPBOARD).SetCheck(false);
  folderEdit.SetText(" D:\\shots ");
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, ConfirmMessageBox);
  SendMessageW(page.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SAVE_SETTINGS, BN_CLICKED),
               reinterpret_cast<LPARAM>(page.Item(IDC_SAVE_SETTINGS)));
  KillTimer(nullptr, timer);
  Pump();
  win::App::SetMainWindow(nullptr);

  SnapshotSettings expected = SnapshotSettings::Defaults(folder);
  expected.toClipboard = 0;
  expected.folder = "D:\\shots\\";
  EXPECT_EQ(store.Current(), expected);
  EXPECT_EQ(frame.reloads, 1);
  std::string bytes, written;
  ASSERT_TRUE(expected.Serialize(bytes));
  EXPECT_TRUE(file::ReadAll(path, written, SnapshotSettings::kSize + 1));
  EXPECT_EQ(written, bytes);
  page.Destroy();
  file::Remove(path);
}

}  // namespace
