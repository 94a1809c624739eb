#include "capture/win/ScreenGrab.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/File.h"
#include "win/Gdi.h"

namespace {

constexpr DWORD kGrabDelayMs = 100;

// The area a grab reads and the size it reports.
struct GrabGeometry {
  ScreenArea area;
  int width = 0, height = 0;
};

GrabGeometry Measure(HDC display, CaptureScreens screens) {
  GrabGeometry g;
  RECT r{};
  if (screens == CaptureScreens::kAll) {
    r = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    r.right = r.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    r.bottom = r.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  } else if (screens == CaptureScreens::kCursor) {
    POINT p{};
    GetCursorPos(&p);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &info)) r = info.rcMonitor;
  } else {
    // The desktop window's rectangle held to the display's size.
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    g.width = GetDeviceCaps(display, HORZRES);
    g.height = GetDeviceCaps(display, VERTRES);
    g.area.left = std::max<int>(desktop.left, 0);
    g.area.top = std::max<int>(desktop.top, 0);
    g.area.cx = std::min<int>(g.width, desktop.right) - g.area.left;
    g.area.cy = std::min<int>(g.height, desktop.bottom) - g.area.top;
    return g;
  }
  g.area = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  g.width = g.area.cx;
  g.height = g.area.cy;
  return g;
}

// With BROVA_BENCH_CAPTURE_LOG naming a file, each grab that waits adds
// "prep <ms>" to it: how long its preparation took, to be compared with the
// wait it is meant to fit in (tools/bench-capture.sh).
class PrepLog {
 public:
  PrepLog() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    start_ = t.QuadPart;
  }
  void Done() const {
    const char* path = std::getenv("BROVA_BENCH_CAPTURE_LOG");
    if (!path || !*path) return;
    LARGE_INTEGER t, frequency;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&frequency);
    const double ms = static_cast<double>(t.QuadPart - start_) * 1000.0 / static_cast<double>(frequency.QuadPart);
    file::FilePtr f = file::Open(path, "ab");
    if (f) std::fprintf(f.get(), "prep %.1f\n", ms);
  }

 private:
  LONGLONG start_ = 0;
};

// The milliseconds left of the wait that started at start.
DWORD WaitLeft(DWORD start) {
  const DWORD spent = GetTickCount() - start;
  return spent < kGrabDelayMs ? kGrabDelayMs - spent : 0;
}

bool Grab(ScreenGrab& out, IScreenReader& reader, ISnapshotWriter* file, const WaitWork& work, bool settle,
          CaptureScreens screens) {
  const DWORD start = GetTickCount();
  const PrepLog prepLog;
  win::OwnedDc display = win::OwnedDc::Display();
  if (!display) return false;
  win::OwnedDc memory = win::OwnedDc::Compatible(display);
  if (!memory) return false;
  GrabGeometry g = Measure(display, screens);
  if (g.area.cx <= 0 || g.area.cy <= 0) return false;
  PicturePtr picture = CapturePicture::Make(display, g.area.cx, g.area.cy);
  if (!picture) return false;
  reader.MapPages(*picture);
  // The writer's worker makes the folders and the file while the screen
  // settles and this thread makes the picture's pages ready.
  const bool started = file && file->Begin(*picture);
  picture->ReadyPages();
  win::Select select(memory, picture->bitmap());
  reader.Prepare(display, memory, g.area);
  if (settle) {
    if (work) work(WaitLeft(start));
    prepLog.Done();
    SettleScreen(WaitLeft(start));
    // The wait may have seen the display change.
    GrabGeometry now = Measure(display, screens);
    if (now.area.cx != g.area.cx || now.area.cy != g.area.cy) {
      if (started) file->Abandon();  // before the picture goes
      return Grab(out, reader, file, nullptr, false, screens);
    }
    g = now;
  }
  if (!reader.Read(display, memory, g.area, [&](int rows) {
        if (started) file->RowsRead(rows);
      })) {
    if (started) file->Abandon();  // before the picture goes
    return false;
  }
  out.picture = std::move(picture);
  out.left = g.area.left;
  out.top = g.area.top;
  out.width = g.width;
  out.height = g.height;
  return true;
}

}  // namespace

void SettleScreen(DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
      // WM_QUIT comes whatever the range: it stays for the program's loop.
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      DispatchMessageW(&msg);
    }
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= ms) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_PAINT);
  }
}

bool GrabScreen(ScreenGrab& out, IScreenReader& reader, ISnapshotWriter* file, const WaitWork& work,
                CaptureScreens screens) {
  return Grab(out, reader, file, work, true, screens);
}
