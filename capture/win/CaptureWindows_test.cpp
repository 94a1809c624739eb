// The image view's scrolling and painting, the key list and the hot-key
// picker, on real windows.
#include <gtest/gtest.h>

#include "capture/win/SnapshotView.h"
#include "common/KeyNameTable.h"
#include "common/win/HotKeyPicker.h"
#include "common/win/KeyCombo.h"
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
  return CapturePicture::Adopt(std::move(b), w, h);
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

TEST(SnapshotView, SmallPictureAtTheOriginWithBlackStrips) {
  Host host(400, 300);
  ASSERT_TRUE(host.hwnd());
  CSnapshotView view;
  ASSERT_TRUE(view.Create(host.hwnd()));
  MoveWindow(view.hwnd(), 0, 0, 400, 300, TRUE);
  view.Show(SW_SHOW);
  view.SetPicture(SolidPicture(50, 40, RGB(10, 200, 30)), 50, 40);
  Pump();
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
  ASSERT_TRUE(view.Create(host.hwnd()));
  MoveWindow(view.hwnd(), 0, 0, 400, 300, TRUE);
  view.Show(SW_SHOW);
  view.SetPicture(SolidPicture(1000, 100, RGB(200, 10, 10)), 1000, 100);
  Pump();
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
  ASSERT_TRUE(view.Create(host.hwnd()));
  MoveWindow(view.hwnd(), 0, 0, 200, 150, TRUE);
  view.Show(SW_SHOW);
  view.SetPicture(nullptr, 0, 0);
  Pump();
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

}  // namespace
