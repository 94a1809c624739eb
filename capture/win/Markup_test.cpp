// The picture editor and pins on real windows: the canvas's pixels, a
// rectangle dragged with the mouse and saved, undo before saving, text typed
// in place, and a pin's place, zoom, opacity and end.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "capture/LoupeGeometry.h"
#include "capture/win/Loupe.h"
#include "capture/win/MarkupEditor.h"
#include "capture/win/PictureOutput.h"
#include "capture/win/PinWindow.h"
#include "common/File.h"
#include "common/Text.h"
#include "common/win/SharedGdi.h"
#include "resources/markup_ids.h"
#include "tests/support/Pump_windows.h"
#include "tests/support/TempFolder_windows.h"
#include "win/App.h"

namespace {

// A picture whose pixels all differ, with the pixels it was made from
// (0x00RRGGBB, rows top-down).
struct TestPicture {
  TestPicture(int w, int h) : pixels(static_cast<size_t>(w) * h) {
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint32_t>(i * 2654435761u) & 0x00F0F0F0u;
    win::WindowDc screen(nullptr);
    picture = CCapturePicture::Make(screen, w, h);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBits(screen, picture->bitmap(), 0, static_cast<UINT>(h), pixels.data(), &info, DIB_RGB_COLORS);
  }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * picture->width() + x]; }
  std::vector<uint32_t> pixels;
  PicturePtr picture;
};

// The pixels (0x00RRGGBB, top-down) of a 32-bit bottom-up BMP file.
std::vector<uint32_t> BmpPixels(const std::string& path, int& w, int& h) {
  std::string bytes;
  if (!file::ReadAll(path, bytes) || bytes.size() < 54) return {};
  std::memcpy(&w, &bytes[18], 4);
  std::memcpy(&h, &bytes[22], 4);
  std::vector<uint32_t> out(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t p;
      std::memcpy(&p, &bytes[54 + (static_cast<size_t>(h - 1 - y) * w + x) * 4], 4);
      out[static_cast<size_t>(y) * w + x] = p & 0xFFFFFF;
    }
  return out;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

void Drag(HWND canvas, POINT from, POINT to) {
  SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, At(from.x, from.y));
  SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, At((from.x + to.x) / 2, (from.y + to.y) / 2));
  SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, At(to.x, to.y));
  SendMessageW(canvas, WM_LBUTTONUP, 0, At(to.x, to.y));
  test_pump::Pending();
}

COLORREF ScreenPixel(HWND w, int x, int y) {
  UpdateWindow(w);
  win::WindowDc dc(w);
  return GetPixel(dc, x, y) & 0xFFFFFF;
}

TEST(MarkupEditor, RectangleDraggedAndSavedIsExactlyThereAndUndoLeavesThePicture) {
  TestPicture source(200, 120);
  TempFolder tmp;
  const std::string path = tmp.path() + "rect.bmp";
  ASSERT_TRUE(picture_output::WriteFileAs(*source.picture, path, CaptureFormat::kBmp, 90));
  std::string before;
  ASSERT_TRUE(file::ReadAll(path, before));

  CMarkupEditor* editor = CMarkupEditor::Open(MarkupSource{source.picture, path, ""});
  ASSERT_NE(editor, nullptr);
  HWND window = editor->hwnd();
  EXPECT_EQ(win::TextOf(window), "图片编辑-Vistrel");
  HWND canvas = GetDlgItem(window, IDC_MARKUP_CANVAS);
  ASSERT_TRUE(canvas);
  test_pump::Pending();
  // At 100 % the canvas's client pixel is the picture's.
  for (POINT p : {POINT{0, 0}, POINT{199, 119}, POINT{57, 33}}) {
    const uint32_t rgb = source.At(p.x, p.y);
    EXPECT_EQ(ScreenPixel(canvas, p.x, p.y), RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
  }

  Drag(canvas, {20, 20}, {120, 80});
  EXPECT_EQ(editor->canvas().document().shapes().size(), 1u);
  EXPECT_EQ(ScreenPixel(canvas, 20, 20), RGB(255, 0, 0));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDC_MARKUP_UNDO)));
  ASSERT_TRUE(editor->Save());
  int w = 0, h = 0;
  std::vector<uint32_t> saved = BmpPixels(path, w, h);
  ASSERT_EQ(w, 200);
  ASSERT_EQ(h, 120);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool outline = x >= 20 && x <= 120 && y >= 20 && y <= 80 && (x <= 21 || x >= 119 || y <= 21 || y >= 79);
      ASSERT_EQ(saved[static_cast<size_t>(y) * w + x], outline ? 0xFF0000u : source.At(x, y)) << x << "," << y;
    }

  // Ctrl+Z as the key reaches the editor, then a save: the picture again.
  MSG key{};
  key.hwnd = canvas;
  key.message = WM_KEYDOWN;
  key.wParam = 'Z';
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_CONTROL] = 0x80;
  SetKeyboardState(state);
  win::App::PumpMessage(key);
  state[VK_CONTROL] = 0;
  SetKeyboardState(state);
  EXPECT_TRUE(editor->canvas().document().shapes().empty());
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_MARKUP_UNDO)));
  ASSERT_TRUE(editor->Save());
  std::string after;
  ASSERT_TRUE(file::ReadAll(path, after));
  EXPECT_TRUE(after == before) << "the capture's own bytes";
  EXPECT_TRUE(editor->Close()) << "saved: closes without asking";
  test_pump::Pending();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(source.picture.use_count(), 1) << "the editor let the picture go";
  file::Remove(path);
}

TEST(MarkupEditor, KeysChooseToolsAndTextIsTypedInPlace) {
  TestPicture source(300, 200);
  CMarkupEditor* editor = CMarkupEditor::Open(MarkupSource{source.picture, "", ""});
  ASSERT_NE(editor, nullptr);
  HWND canvas = GetDlgItem(editor->hwnd(), IDC_MARKUP_CANVAS);
  const struct {
    UINT key;
    markup::Tool tool;
  } keys[] = {{'E', markup::Tool::kEllipse}, {'N', markup::Tool::kStep}, {'M', markup::Tool::kMosaic},
              {'T', markup::Tool::kText}};
  for (const auto& k : keys) {
    MSG msg{};
    msg.hwnd = canvas;
    msg.message = WM_KEYDOWN;
    msg.wParam = k.key;
    win::App::PumpMessage(msg);
    EXPECT_EQ(editor->canvas().tool(), k.tool) << static_cast<char>(k.key);
  }
  SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, At(40, 50));
  SendMessageW(canvas, WM_LBUTTONUP, 0, At(40, 50));
  HWND edit = GetDlgItem(canvas, IDC_MARKUP_TEXT_EDIT);
  ASSERT_TRUE(edit) << "typing starts where the text tool clicked";
  SetWindowTextW(edit, L"标注 Ab");
  test_pump::Pending();
  editor->canvas().FinishEditing();
  EXPECT_FALSE(IsWindow(edit));
  ASSERT_EQ(editor->canvas().document().shapes().size(), 1u);
  const markup::Shape& text = editor->canvas().document().shapes()[0];
  EXPECT_EQ(text.text, "标注 Ab");
  EXPECT_EQ(text.points[0], (markup::Point{40, 50}));
  EXPECT_GT(text.textWidth, 40);
  EXPECT_GE(text.textHeight, markup::kDefaultFontSize);
  // The text's pixels are drawn in its colour somewhere in its box.
  int red = 0;
  const markup::PixelView& px = editor->canvas().pixels();
  for (int y = 50; y < 50 + text.textHeight; ++y)
    for (int x = 40; x < 40 + text.textWidth; ++x) red += (px.At(x, y) & 0xFFFFFF) == 0xFF0000;
  EXPECT_GT(red, 10);
  // Unsaved: the editor is modified; a step can be numbered next to it.
  EXPECT_TRUE(editor->canvas().Modified());
  editor->canvas().Undo();
  EXPECT_FALSE(editor->canvas().Modified());
  DestroyWindow(editor->hwnd());
  test_pump::Pending();
}

TEST(Pin, SitsWhereItWasTakenZoomsAboutThePointerAndFreesItsPicture) {
  TestPicture source(160, 90);
  CPinBoard& board = CPinBoard::Get();
  PinSource at;
  at.picture = source.picture;
  at.origin = POINT{37, 53};
  CPinWindow* pin = board.Pin(at);
  ASSERT_NE(pin, nullptr);
  HWND h = pin->hwnd();
  test_pump::Pending();
  EXPECT_EQ(win::TextOf(h), "贴图");
  RECT r{};
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 37);
  EXPECT_EQ(r.top, 53);
  EXPECT_EQ(r.right - r.left, 160);
  EXPECT_EQ(r.bottom - r.top, 90);
  RECT c{};
  GetClientRect(h, &c);
  EXPECT_EQ(c.right, 160) << "borderless";
  EXPECT_TRUE(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  const uint32_t rgb = source.At(5, 7);
  EXPECT_EQ(ScreenPixel(h, 5, 7), RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));

  // One notch up about (47, 63), ten pixels into the picture: 110 %.
  SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), At(47, 63));
  GetWindowRect(h, &r);
  EXPECT_DOUBLE_EQ(pin->zoom(), 1.1);
  EXPECT_EQ(r.left, 36);
  EXPECT_EQ(r.top, 52);
  EXPECT_EQ(r.right - r.left, 176);
  pin->OriginalSize();
  GetWindowRect(h, &r);
  EXPECT_EQ(r.right - r.left, 160);
  EXPECT_EQ(r.left, 36);
  for (int i = 0; i < 20; ++i) SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), At(40, 60));
  EXPECT_DOUBLE_EQ(pin->zoom(), 0.1) << "no smaller than 10 %";

  // Ctrl+wheel: opacity, down to 10 %, and back to a plain window at 100 %.
  for (int i = 0; i < 12; ++i) SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA), At(40, 60));
  EXPECT_EQ(pin->opacity(), 10);
  BYTE alpha = 0;
  DWORD flags = 0;
  EXPECT_TRUE(GetLayeredWindowAttributes(h, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 25);
  SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 10 * WHEEL_DELTA), At(40, 60));
  EXPECT_EQ(pin->opacity(), 100);
  EXPECT_FALSE(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_LAYERED);

  // Captures do not see pins unless asked to.
  board.HideForCapture();
  EXPECT_FALSE(IsWindowVisible(h));
  board.ShowAfterCapture();
  EXPECT_TRUE(IsWindowVisible(h));

  at.origin = POINT{300, 300};
  CPinWindow* second = board.Pin(at);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(board.pins().size(), 2u);
  SendMessageW(h, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(board.pins().size(), 1u);
  second->RunCommand(ID_PIN_CLOSE_ALL);
  EXPECT_TRUE(board.pins().empty());
  at.picture.reset();
  EXPECT_EQ(source.picture.use_count(), 1) << "every pin let the picture go";
}

// A memory bitmap standing in for the display, or for the grabbed screen B.
struct Surface {
  Surface(int w, int h) {
    win::WindowDc screen(nullptr);
    bitmap.reset(CreateCompatibleBitmap(screen, w, h));
    dc = win::OwnedDc::Compatible(screen);
    old = SelectObject(dc, bitmap);
  }
  ~Surface() { SelectObject(dc, old); }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y) & 0xFFFFFF; }
  win::Bitmap bitmap;
  win::OwnedDc dc;
  HGDIOBJ old;
};

TEST(Loupe, MagnifiesTheGrabbedScreenBesideThePointerAndLeavesItAsItWas) {
  Surface b(400, 300), display(400, 300);
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x) SetPixel(b.dc, x, y, RGB(x % 256, y % 256, (x * 7 + y) % 256));
  BitBlt(display.dc, 0, 0, 400, 300, b.dc, 0, 0, SRCCOPY);
  CLoupe lens(b.dc, POINT{0, 0}, 400, 300, shared_gdi::Font14(96));
  const Rect monitor{0, 0, 400, 300};
  lens.Show(display.dc, POINT{100, 80}, monitor, Rect{});
  const Rect at = lens.area();
  EXPECT_GT(at.left, 100);
  EXPECT_GT(at.top, 80);
  EXPECT_EQ(lens.colour(), 0x64500Cu) << "B's pixel under the pointer";
  // Each of the 17 x 17 pixels around the pointer is an 8 x 8 block.
  for (int cy : {0, 3, 16})
    for (int cx : {0, 8, 16})
      for (int d : {1, 6})
        EXPECT_EQ(display.At(at.left + 1 + cx * 8 + d, at.top + 1 + cy * 8 + d), b.At(100 - 8 + cx, 80 - 8 + cy))
            << cx << "," << cy;
  // At the corner it flips to the pointer's left and above; what it left
  // is B again.
  std::vector<Rect> uncovered = lens.Show(display.dc, POINT{390, 290}, monitor, Rect{});
  EXPECT_LT(lens.area().right, 390);
  EXPECT_LT(lens.area().bottom, 290);
  EXPECT_FALSE(uncovered.empty());
  EXPECT_EQ(display.At(at.left + 5, at.top + 5), b.At(at.left + 5, at.top + 5));
  lens.Hide(display.dc);
  for (int y = 0; y < 300; y += 7)
    for (int x = 0; x < 400; x += 7) ASSERT_EQ(display.At(x, y), b.At(x, y)) << x << "," << y;

  ASSERT_TRUE(CopyTextToClipboard(nullptr, loupe::HexText(lens.colour())));
  ASSERT_TRUE(OpenClipboard(nullptr));
  auto* text = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text::Narrow(text), loupe::HexText(lens.colour()));
  GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
  CloseClipboard();
}

TEST(PictureOutput, AFailedWriteKeepsTheOldFileAndASaveKeepsTheFilesFormat) {
  TestPicture source(8, 4);
  TempFolder tmp;
  const std::string missing = tmp.path() + "no-such-folder\\x.bmp";
  EXPECT_FALSE(picture_output::WriteFileAs(*source.picture, missing, CaptureFormat::kBmp, 90));
  EXPECT_FALSE(file::Exists(missing));

  // A PNG under a BMP's name: the editor's save writes PNG again.
  const std::string path = tmp.path() + "format.bmp";
  ASSERT_TRUE(picture_output::WriteFileAs(*source.picture, path, CaptureFormat::kPng, 90));
  CMarkupEditor* editor = CMarkupEditor::Open(MarkupSource{source.picture, path, ""});
  ASSERT_NE(editor, nullptr);
  test_pump::Pending();
  Drag(GetDlgItem(editor->hwnd(), IDC_MARKUP_CANVAS), {1, 1}, {6, 3});
  std::string before;
  ASSERT_TRUE(file::ReadAll(path, before));
  ASSERT_TRUE(editor->Save());
  std::string after;
  ASSERT_TRUE(file::ReadAll(path, after));
  EXPECT_EQ(after.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_NE(after, before) << "the rectangle is in the file";
  EXPECT_TRUE(editor->Close());
  test_pump::Pending();

  // A file that another program holds open cannot be replaced: it keeps its bytes.
  HANDLE held = CreateFileW(text::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(picture_output::WriteFileAs(*source.picture, path, CaptureFormat::kBmp, 90));
  CloseHandle(held);
  std::string kept;
  ASSERT_TRUE(file::ReadAll(path, kept));
  EXPECT_TRUE(kept == after);
  file::Remove(path);
}

}  // namespace
