// The result window on real windows: its picture view's scrolling and
// painting, and the window made ahead, hidden, drawing its info line whole.
#include <gtest/gtest.h>

#include "capture/win/CaptureEngine.h"
#include "capture/win/CaptureResultDlg.h"
#include "capture/win/SnapshotView.h"
#include "common/Text.h"
#include "common/win/Palette.h"
#include "common/win/SharedGdi.h"
#include "tests/support/Pump_windows.h"
#include "win/App.h"

namespace {

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
void ShowView(const CTestHost& host, CSnapshotView& view, PicturePtr picture, int w, int h) {
  ASSERT_TRUE(host.hwnd());
  ASSERT_TRUE(view.Create(host.hwnd()));
  RECT c = host.ClientRect();
  MoveWindow(view.hwnd(), 0, 0, c.right, c.bottom, TRUE);
  view.Show(SW_SHOW);
  view.SetPicture(std::move(picture), w, h);
  test_pump::Pending();
}

TEST(SnapshotView, SmallPictureAtTheOriginWithBlackStrips) {
  CTestHost host(400, 300);
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
  CTestHost host(400, 300);
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
  CTestHost host(200, 150);
  CSnapshotView view;
  ShowView(host, view, nullptr, 0, 0);
  EXPECT_EQ(PixelOf(view.hwnd(), 20, 20), RGB(255, 255, 255));
  EXPECT_EQ(RangeMax(view.hwnd(), SB_HORZ), 0);
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

}  // namespace
