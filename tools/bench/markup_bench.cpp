// Helper of tools/bench-markup.sh: the picture editor, the loupe and pins at
// the display's size (3840x2160 in the script), each beside a plain way of
// doing the same job in the same run.
//   open N      editor open and painted on a full-screen picture, N times
//   stroke N    a recorded pen stroke of N moves replayed on the canvas:
//               each move's work and paint, against drawing the stroke
//               with GDI into the picture and copying the whole canvas
//   loupe N     the loupe redrawn for N pointer moves, against copying the
//               whole screen back and drawing the same at each move
//   pins N      a pin's window visible after it is asked for; private
//               memory before and after N pins opened and closed
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "capture/win/Loupe.h"
#include "capture/win/MarkupEditor.h"
#include "capture/win/PinWindow.h"
#include "common/win/SharedGdi.h"
#include "resources/markup_ids.h"
#include "tools/bench/BenchClock.h"
#include "win/App.h"

namespace {

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) win::App::PumpMessage(m);
}

PicturePtr ScreenSizedPicture(int& w, int& h) {
  w = GetSystemMetrics(SM_CXSCREEN);
  h = GetSystemMetrics(SM_CYSCREEN);
  win::WindowDc screen(nullptr);
  PicturePtr p = CCapturePicture::Make(screen, w, h);
  win::OwnedDc dc = win::OwnedDc::Compatible(screen);
  win::Select s(dc, p->bitmap());
  for (int y = 0; y < h; y += 8) {
    win::Brush b(CreateSolidBrush(RGB(y % 256, (y * 3) % 256, 200)));
    RECT r{0, y, w, y + 8};
    FillRect(dc, &r, b);
  }
  return p;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}
double Max(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

void Report(const char* what, const std::vector<double>& ours, const std::vector<double>& peer) {
  std::printf("%-8s brova median %.2f ms max %.2f ms   plain median %.2f ms max %.2f ms   ratio %.2f\n", what,
              Median(ours), Max(ours), Median(peer), Max(peer), Median(peer) > 0 ? Median(ours) / Median(peer) : 0);
}

// A stroke as a hand draws one: a wide loop across the picture.
std::vector<POINT> RecordedStroke(int n, int w, int h) {
  std::vector<POINT> pts;
  for (int i = 0; i < n; ++i) {
    const double t = 6.283 * i / n;
    pts.push_back(POINT{static_cast<LONG>(w / 2 + w * 0.35 * std::cos(t) + 30 * std::sin(t * 9)),
                        static_cast<LONG>(h / 2 + h * 0.35 * std::sin(t))});
  }
  return pts;
}

int Open(int n) {
  int w, h;
  PicturePtr picture = ScreenSizedPicture(w, h);
  std::vector<double> ours, peer;
  for (int i = 0; i < n; ++i) {
    const double t0 = NowMs();
    CMarkupEditor* e = CMarkupEditor::Open(MarkupSource{picture, "", ""});
    if (!e) return 1;
    Pump();
    ours.push_back(NowMs() - t0);
    DestroyWindow(e->hwnd());
    Pump();
    // The plain way: a window showing a copy of the picture.
    const double t1 = NowMs();
    HWND plain = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_BITMAP, 0, 0, w, h,
                                 nullptr, nullptr, nullptr, nullptr);
    win::WindowDc screen(nullptr);
    win::Bitmap copy(CreateCompatibleBitmap(screen, w, h));
    {
      win::OwnedDc a = win::OwnedDc::Compatible(screen), b = win::OwnedDc::Compatible(screen);
      win::Select sa(a, copy), sb(b, picture->bitmap());
      BitBlt(a, 0, 0, w, h, b, 0, 0, SRCCOPY);
    }
    SendMessageW(plain, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(copy.get()));
    UpdateWindow(plain);
    Pump();
    peer.push_back(NowMs() - t1);
    DestroyWindow(plain);
    Pump();
  }
  std::printf("picture %dx%d\n", w, h);
  Report("open", ours, peer);
  return 0;
}

int Stroke(int n) {
  int w, h;
  PicturePtr picture = ScreenSizedPicture(w, h);
  CMarkupEditor* e = CMarkupEditor::Open(MarkupSource{picture, "", ""});
  if (!e) return 1;
  ShowWindow(e->hwnd(), SW_MAXIMIZE);
  Pump();
  HWND canvas = GetDlgItem(e->hwnd(), IDC_MARKUP_CANVAS);
  RECT c;
  GetClientRect(canvas, &c);
  std::vector<POINT> stroke = RecordedStroke(n, c.right, c.bottom);
  std::vector<double> ours, peer;
  for (const char key : {'P', 'H'}) {
    // The second stroke starts off the first: a press on a shape takes it.
    if (key == 'H')
      for (POINT& p : stroke) p.y += 80;
    MSG m{};
    m.hwnd = canvas;
    m.message = WM_KEYDOWN;
    m.wParam = static_cast<WPARAM>(key);
    win::App::PumpMessage(m);
    SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(stroke[0].x, stroke[0].y));
    for (const POINT& p : stroke) {
      const double t0 = NowMs();
      SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
      UpdateWindow(canvas);
      GdiFlush();
      ours.push_back(NowMs() - t0);
    }
    SendMessageW(canvas, WM_LBUTTONUP, 0, MAKELPARAM(stroke.back().x, stroke.back().y));
    const std::vector<double> pass(ours.end() - static_cast<std::ptrdiff_t>(stroke.size()), ours.end());
    std::printf("stroke   %s: median %.2f ms max %.2f ms\n", key == 'P' ? "pen" : "highlighter", Median(pass),
                Max(pass));
  }
  // The highlighter's stroke dragged along the pen's path: every move
  // redraws where the whole stroke was and is.
  std::vector<double> moves;
  SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(stroke[0].x, stroke[0].y));
  for (int i = 1; i <= 60; ++i) {
    const double t0 = NowMs();
    SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(stroke[0].x + i, stroke[0].y + i / 2));
    UpdateWindow(canvas);
    GdiFlush();
    moves.push_back(NowMs() - t0);
  }
  SendMessageW(canvas, WM_LBUTTONUP, 0, MAKELPARAM(stroke[0].x + 60, stroke[0].y + 30));
  std::printf("stroke   dragging the whole highlighter stroke: median %.2f ms max %.2f ms\n", Median(moves), Max(moves));
  // The plain way: each move drawn with GDI into the picture, then the
  // whole canvas copied to the screen.
  {
    win::WindowDc screen(nullptr);
    win::OwnedDc mem = win::OwnedDc::Compatible(screen);
    win::Select s(mem, picture->bitmap());
    win::Pen pen(CreatePen(PS_SOLID, 2, RGB(255, 0, 0)));
    win::Select sp(mem, pen);
    MoveToEx(mem, stroke[0].x, stroke[0].y, nullptr);
    win::WindowDc target(canvas);
    for (int pass = 0; pass < 2; ++pass)
      for (const POINT& p : stroke) {
        const double t0 = NowMs();
        LineTo(mem, p.x, p.y);
        BitBlt(target, 0, 0, c.right, c.bottom, mem, 0, 0, SRCCOPY);
        GdiFlush();
        peer.push_back(NowMs() - t0);
      }
  }
  std::printf("picture %dx%d, canvas %ldx%ld, %d moves a stroke (pen, then highlighter)\n", w, h, c.right, c.bottom,
              n);
  Report("stroke", ours, peer);
  int over = 0;
  for (double v : ours) over += v > 16.0;
  std::printf("stroke   moves over 16 ms: %d of %zu\n", over, ours.size());
  DestroyWindow(e->hwnd());
  Pump();
  return 0;
}

int LoupeMoves(int n) {
  int w, h;
  PicturePtr picture = ScreenSizedPicture(w, h);
  win::WindowDc screen(nullptr);
  win::OwnedDc b = win::OwnedDc::Compatible(screen);
  win::Select sb(b, picture->bitmap());
  win::OwnedDc display = win::OwnedDc::Display();
  CLoupe lens(b, POINT{0, 0}, w, h, shared_gdi::Font14(96));
  const Rect monitor{0, 0, w, h};
  std::vector<double> ours, peer;
  for (int i = 0; i < n; ++i) {
    const POINT p{static_cast<LONG>((i * 37) % w), static_cast<LONG>((i * 23) % h)};
    const double t0 = NowMs();
    lens.Show(display, p, monitor, Rect{});
    GdiFlush();
    ours.push_back(NowMs() - t0);
  }
  lens.Hide(display);
  for (int i = 0; i < n; ++i) {
    const POINT p{static_cast<LONG>((i * 37) % w), static_cast<LONG>((i * 23) % h)};
    const double t0 = NowMs();
    BitBlt(display, 0, 0, w, h, b, 0, 0, SRCCOPY);  // the whole screen back
    lens.Show(display, p, monitor, Rect{});
    GdiFlush();
    peer.push_back(NowMs() - t0);
  }
  BitBlt(display, 0, 0, w, h, b, 0, 0, SRCCOPY);
  std::printf("screen %dx%d, %d pointer moves\n", w, h, n);
  Report("loupe", ours, peer);
  return 0;
}

size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX m{};
  m.cb = sizeof m;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
  return m.PrivateUsage;
}

int Pins(int n) {
  const int w = GetSystemMetrics(SM_CXSCREEN) / 2, h = GetSystemMetrics(SM_CYSCREEN) / 2;
  std::vector<double> visible;
  double before = 0;
  for (int i = 0; i < n; ++i) {
    if (i == 1) before = static_cast<double>(PrivateBytes());  // once the window class is registered
    PinSource s;
    {
      win::WindowDc screen(nullptr);
      s.picture = CCapturePicture::Make(screen, w, h);
      win::OwnedDc dc = win::OwnedDc::Compatible(screen);
      win::Select select(dc, s.picture->bitmap());
      PatBlt(dc, 0, 0, w, h, WHITENESS);
    }
    s.origin = POINT{w / 2, h / 2};
    const double t0 = NowMs();
    CPinWindow* pin = CPinBoard::Get().Pin(std::move(s));
    if (!pin) return 1;
    Pump();
    visible.push_back(NowMs() - t0);
    pin->Destroy();
    Pump();
  }
  const double after = static_cast<double>(PrivateBytes());
  std::printf("pin %dx%d: visible after median %.2f ms max %.2f ms\n", w, h, Median(visible), Max(visible));
  std::printf("pins     private memory after 1 pin %.1f MiB, after %d pins opened and closed %.1f MiB (%+.1f KiB)\n",
              before / 1048576.0, n, after / 1048576.0, (after - before) / 1024.0);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  SetProcessDPIAware();
  if (argc < 3) return 2;
  const std::wstring what = argv[1];
  const int n = std::max(1, _wtoi(argv[2]));
  if (what == L"open") return Open(n);
  if (what == L"stroke") return Stroke(n);
  if (what == L"loupe") return LoupeMoves(n);
  if (what == L"pins") return Pins(n);
  return 2;
}
