#include "capture/win/ScreenCapture.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "capture/BmpLayout.h"
#include "capture/SnapshotName.h"
#include "common/File.h"
#include "common/FolderChain.h"
#include "common/Text.h"
#include "win/Handles.h"

namespace {

constexpr DWORD kGrabDelayMs = 100;
// Enough for every capture of one second; past that the capture fails.
constexpr int kMaxNameVariants = 1000;
constexpr DWORD kDwmExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS

// Bytes of screen read in one piece under Wine. Each read maps fresh
// buffers of its size in the X library and in Wine unless they are small
// enough to be taken again from the heaps; below that, a piece costs a
// round trip to the X server and no page faults. Also the size of a write
// of the file's first pass (SnapshotStream).
constexpr size_t kBandBytes = 480 * 1024;

// WriteFile takes at most 4 GiB - 1 a call; a capture file is far smaller,
// so a part is one call in practice. A part without data is that many zero
// bytes.
bool WriteAll(HANDLE file, const FilePart& part) {
  static const unsigned char kZeros[64 * 1024] = {};
  const auto* bytes = static_cast<const unsigned char*>(part.data);
  size_t size = part.size;
  while (size > 0) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, bytes ? 0x40000000u : sizeof kZeros));
    DWORD written = 0;
    if (!WriteFile(file, bytes ? bytes : kZeros, chunk, &written, nullptr) || written != chunk) return false;
    if (bytes) bytes += chunk;
    size -= chunk;
  }
  return true;
}

}  // namespace

BmpImage::~BmpImage() {
  if (data) VirtualFree(data, 0, MEM_RELEASE);
}

void SettleScreen(DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&msg);
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= ms) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_PAINT);
  }
}

namespace {

// The display's size and the source rectangle of a grab (step by step: the
// desktop window's rectangle held to the display's size).
struct GrabGeometry {
  int width = 0, height = 0;  // HORZRES, VERTRES
  int left = 0, top = 0, cx = 0, cy = 0;
};

GrabGeometry Measure(HDC display) {
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  GrabGeometry g;
  g.width = GetDeviceCaps(display, HORZRES);
  g.height = GetDeviceCaps(display, VERTRES);
  g.left = std::max<int>(desktop.left, 0);
  g.top = std::max<int>(desktop.top, 0);
  g.cx = std::min<int>(g.width, desktop.right) - g.left;
  g.cy = std::min<int>(g.height, desktop.bottom) - g.top;
  return g;
}

int BandRows(int width) {
  const size_t row = static_cast<size_t>(width) * 4;
  return static_cast<int>(std::max<size_t>(1, kBandBytes / row));
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

bool Grab(ScreenGrab& out, bool settle, SnapshotStream* stream, const std::function<void(DWORD)>& whileWaiting) {
  const DWORD start = GetTickCount();
  const PrepLog prepLog;
  win::OwnedDc display = win::OwnedDc::Display();
  if (!display) return false;
  win::OwnedDc memory = win::OwnedDc::Compatible(display);
  if (!memory) return false;
  GrabGeometry g = Measure(display);
  if (g.cx <= 0 || g.cy <= 0) return false;
  PicturePtr picture = CapturePicture::Make(display, g.cx, g.cy);
  if (!picture) return false;
  // Under Wine the screen is read in pieces; on Windows a read has a fixed
  // cost of its own, so it is read at once.
  const bool wine = UseWinePaths();
  const int band = wine ? BandRows(g.cx) : g.cy;
  picture->MapPages(wine);
  // The stream's worker makes the folders and the file while the screen
  // settles and this thread makes the picture's pages ready.
  const bool streamed = stream && stream->Start(*picture);
  picture->ReadyPages();
  win::Select select(memory, picture->bitmap());
  if (settle) {
    // Two reads of one piece while the wait runs leave the buffers of the
    // reads mapped; what they drew is drawn over below.
    if (wine)
      for (int i = 0; i < 2; ++i) BitBlt(memory, 0, 0, g.cx, std::min(band, g.cy), display, g.left, g.top, SRCCOPY);
    if (whileWaiting) whileWaiting(WaitLeft(start));
    prepLog.Done();
    SettleScreen(WaitLeft(start));
    // The wait may have seen the display change.
    GrabGeometry now = Measure(display);
    if (now.cx != g.cx || now.cy != g.cy) {
      if (streamed) stream->Abandon();  // before the picture goes
      return Grab(out, false, stream, nullptr);
    }
    g = now;
  }
  // From the bottom up, the order of the file's rows: a stream writes each
  // piece while the next is read.
  for (int y = g.cy; y > 0; y -= band) {
    const int from = std::max(0, y - band);
    if (!BitBlt(memory, 0, from, g.cx, y - from, display, g.left, g.top + from, SRCCOPY)) {
      if (streamed) stream->Abandon();  // before the picture goes
      return false;
    }
    if (streamed) stream->RowsRead(g.cy - from);
  }
  out.picture = std::move(picture);
  out.width = g.width;
  out.height = g.height;
  return true;
}

}  // namespace

bool GrabScreen(ScreenGrab& out, SnapshotStream* stream, const std::function<void(DWORD)>& whileWaiting) {
  return Grab(out, true, stream, whileWaiting);
}

bool GrabScreenNow(ScreenGrab& out) { return Grab(out, false, nullptr, nullptr); }

win::Bitmap CopyBitmapRect(HBITMAP source, const Rect& r) {
  if (r.Width() <= 0 || r.Height() <= 0) return win::Bitmap();
  win::WindowDc screen(nullptr);
  win::OwnedDc from = win::OwnedDc::Compatible(screen);
  win::OwnedDc to = win::OwnedDc::Compatible(screen);
  win::Bitmap copy(CreateCompatibleBitmap(screen, r.Width(), r.Height()));
  if (!from || !to || !copy) return win::Bitmap();
  win::Select selectSource(from, source);
  win::Select selectCopy(to, copy);
  if (!BitBlt(to, 0, 0, r.Width(), r.Height(), from, r.left, r.top, SRCCOPY)) return win::Bitmap();
  return copy;
}

PicturePtr CropPicture(const CapturePicture& source, const Rect& r, SnapshotStream* stream) {
  if (r.Width() <= 0 || r.Height() <= 0) return nullptr;
  win::WindowDc screen(nullptr);
  PicturePtr part = CapturePicture::Make(screen, r.Width(), r.Height());
  win::OwnedDc from = win::OwnedDc::Compatible(screen);
  win::OwnedDc to = win::OwnedDc::Compatible(screen);
  if (!part || !from || !to) return nullptr;
  part->MapPages(UseWinePaths());
  const bool streamed = stream && stream->Start(*part);
  part->ReadyPages();
  {
    win::Select selectSource(from, source.bitmap());
    win::Select selectPart(to, part->bitmap());
    if (!BitBlt(to, 0, 0, r.Width(), r.Height(), from, r.left, r.top, SRCCOPY)) {
      if (streamed) stream->Abandon();  // before the picture goes
      return nullptr;
    }
  }
  if (streamed) stream->RowsRead(r.Height());
  return part;
}

// GetDIBits writes the system's own header and colour table straight into the
// file's bytes, so they must have the file's sizes in every build.
static_assert(sizeof(BITMAPINFOHEADER) == BmpLayout::kInfoHeaderSize);
static_assert(sizeof(RGBQUAD) == 4);
static_assert(offsetof(BITMAPINFO, bmiColors) == BmpLayout::kInfoHeaderSize);

bool BuildSnapshotBmp(HBITMAP bitmap, HDC dc, BmpImage& out) {
  BITMAP b{};
  if (!GetObjectW(bitmap, sizeof b, &b)) return false;
  BmpLayout layout;
  if (!ComputeBmpLayout(b.bmWidth, b.bmHeight, b.bmPlanes, b.bmBitsPixel, layout)) return false;
  const size_t size = static_cast<size_t>(layout.offBits) + layout.blockSize;
  // Fresh pages are zero: the bytes of the block past the last row stay 0.
  auto* data = static_cast<unsigned char*>(VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (!data) return false;
  if (out.data) VirtualFree(out.data, 0, MEM_RELEASE);
  out.data = data;
  out.size = size;

  const std::string headers = BmpHeaderBytes(layout);
  std::memcpy(data, headers.data(), headers.size());
  // The info header and colour table of the file are the BITMAPINFO that
  // GetDIBits fills, and the pixel block follows them: one conversion
  // straight into the bytes that are written.
  auto* info = reinterpret_cast<BITMAPINFO*>(data + BmpLayout::kFileHeaderSize);
  info->bmiHeader.biPlanes = 1;  // GetDIBits asks for one plane
  int lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(layout.height), data + layout.offBits, info, DIB_RGB_COLORS);
  // GetDIBits may fill in sizes of its own; the file keeps the layout's.
  std::memcpy(data + BmpLayout::kFileHeaderSize, headers.data() + BmpLayout::kFileHeaderSize,
              BmpLayout::kInfoHeaderSize);
  return lines != 0;
}

bool WriteUnderFreeName(const std::string& path, const void* bytes, size_t size, std::string& chosen) {
  return WriteUnderFreeName(path, {FilePart{bytes, size}}, chosen);
}

bool WriteUnderFreeName(const std::string& path, const std::vector<FilePart>& parts, std::string& chosen) {
  return WriteUnderFreeName(
      path,
      [&parts](HANDLE file) {
        for (const FilePart& part : parts)
          if (!WriteAll(file, part)) return false;
        return true;
      },
      chosen);
}

namespace {

// WriteUnderFreeName with the temporary file beside tempBeside and the name
// asked of path once the bytes are written.
bool WriteAndName(const std::string& tempBeside, const std::function<bool(HANDLE)>& write,
                  const std::function<std::string()>& path, std::string& chosen) {
  const std::wstring temp = text::Widen(file::TempNameBeside(tempBeside));
  {
    win::Handle file(CreateFileW(temp.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    bool ok = write(file.get());
    if (!file.Close() || !ok) {
      DeleteFileW(temp.c_str());
      return false;
    }
  }
  // Without MOVEFILE_REPLACE_EXISTING the move never replaces an earlier capture.
  const std::string first = path();
  for (int n = 1; n <= kMaxNameVariants; ++n) {
    std::string name = SnapshotPathVariant(first, n);
    if (MoveFileExW(temp.c_str(), text::Widen(name).c_str(), 0)) {
      chosen = name;
      return true;
    }
    DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) break;
  }
  DeleteFileW(temp.c_str());
  return false;
}

}  // namespace

bool WriteUnderFreeName(const std::string& path, const std::function<bool(HANDLE)>& write, std::string& chosen) {
  return WriteAndName(path, write, [&path] { return path; }, chosen);
}

namespace {

std::string SnapshotFilePathAt(const std::string& folder, const SYSTEMTIME& t) {
  return SnapshotFilePath(folder, t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

// The file of a capture taken now, under the moment's name, its folders
// made; no writer when there is nothing to write.
SnapshotFile WriteSnapshot(const std::string& folder, const std::function<bool(HANDLE)>& write) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  SnapshotFile result;
  result.path = SnapshotFilePathAt(folder, now);
  CreateFolderChain(result.path);
  std::string chosen;
  if (write && WriteUnderFreeName(result.path, write, chosen)) {
    result.path = chosen;
    result.written = true;
  }
  return result;
}

SnapshotFile WriteSnapshot(const std::string& folder, const std::vector<FilePart>& parts) {
  return WriteSnapshot(folder, [&parts](HANDLE file) {
    for (const FilePart& part : parts)
      if (!WriteAll(file, part)) return false;
    return true;
  });
}

}  // namespace

SnapshotFile SaveSnapshotBmp(HBITMAP bitmap, HDC dc, const std::string& folder) {
  BmpImage image;
  if (!BuildSnapshotBmp(bitmap, dc, image)) return WriteSnapshot(folder, std::function<bool(HANDLE)>());
  return WriteSnapshot(folder, {FilePart{image.data, image.size}});
}

SnapshotFile SaveSnapshotBmp(const CapturePicture& picture, HDC dc, const std::string& folder) {
  SnapshotStream stream(folder);
  if (!stream.Start(picture)) return SaveSnapshotBmp(picture.bitmap(), dc, folder);
  stream.RowsRead(picture.height());
  return stream.Finish();
}

SnapshotStream::~SnapshotStream() { Abandon(); }

bool SnapshotStream::Start(const CapturePicture& picture) {
  if (worker_.joinable() || !picture.GetFile(file_) || picture.height() <= 0) return false;
  stride_ = file_.rowBytes / static_cast<size_t>(picture.height());
  firstPass_ = UseWinePaths();
  worker_ = std::thread([this] {
    SnapshotFile result = Write();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      result_ = std::move(result);
      done_ = true;
    }
    more_.notify_all();
  });
  return true;
}

std::string SnapshotStream::MomentPath() {
  std::unique_lock<std::mutex> lock(mutex_);
  more_.wait(lock, [this] { return taken_ || abandoned_; });
  if (!taken_) GetLocalTime(&moment_);
  return SnapshotFilePathAt(folder_, moment_);
}

// The file's whole length from the picture's memory while no row is read
// (under Wine). On the virtual machines we measure on, the system's first
// read of each page of a process's memory costs about what a page fault
// does (33 MB: about 50 ms), over the process's own first write to it; the
// pass pays that on this thread while the screen settles, so that writing
// the rows after the read is a plain copy. It ends at the first rows read;
// the file is then written again from its start.
bool SnapshotStream::FirstPass(HANDLE out) {
  size_t done = 0;
  while (done < file_.rowBytes) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (abandoned_ || ready_ > 0) break;
    }
    const size_t part = std::min(file_.rowBytes - done, kBandBytes);
    if (!WriteAll(out, FilePart{file_.rows + done, part})) return false;
    done += part;
  }
  LARGE_INTEGER start{};
  return SetFilePointerEx(out, start, nullptr, FILE_BEGIN) != FALSE;
}

// The headers, then the rows straight from the picture as they are read,
// then the zeros that end the block.
bool SnapshotStream::WriteRows(HANDLE out) {
  if (firstPass_ && !FirstPass(out)) return false;
  if (!WriteAll(out, FilePart{file_.headers.data(), file_.headers.size()})) return false;
  size_t done = 0;
  while (done < file_.rowBytes) {
    size_t ready = 0;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      more_.wait(lock, [&] { return abandoned_ || ready_ > done; });
      if (abandoned_) return false;
      ready = ready_;
    }
    if (!WriteAll(out, FilePart{file_.rows + done, ready - done})) return false;
    done = ready;
  }
  return WriteAll(out, FilePart{nullptr, file_.zeros});
}

SnapshotFile SnapshotStream::Write() {
  // The folders and the temporary file are made now, under a name of this
  // moment; the file takes the capture's name when it is complete.
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const std::string early = SnapshotFilePathAt(folder_, now);
  CreateFolderChain(early);
  SnapshotFile result;
  std::string chosen;
  result.written = WriteAndName(
      early, [this](HANDLE out) { return WriteRows(out); }, [this] { return MomentPath(); }, chosen);
  result.path = result.written ? chosen : MomentPath();
  return result;
}

void SnapshotStream::RowsRead(int rows) {
  if (!worker_.joinable()) return;
  GdiFlush();  // the rows must be in the picture's memory before the worker reads them
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!taken_) GetLocalTime(&moment_);
    taken_ = true;
    ready_ = std::min(file_.rowBytes, static_cast<size_t>(rows) * stride_);
  }
  more_.notify_all();
}

SnapshotFile SnapshotStream::Finish() {
  if (!worker_.joinable()) return result_;
  // Not the worker's end: under Wine a thread takes a while to go.
  std::unique_lock<std::mutex> lock(mutex_);
  more_.wait(lock, [this] { return done_; });
  return result_;
}

void SnapshotStream::Abandon() {
  if (!worker_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    abandoned_ = true;
  }
  more_.notify_all();
  worker_.join();
  // Ready for a new start.
  ready_ = 0;
  abandoned_ = taken_ = done_ = false;
  result_ = SnapshotFile();
}

RECT VisibleWindowBounds(HWND window) {
  using GetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
  // dwmapi.dll is missing before Vista; load it from the system folder only.
  static const GetAttributeFn getAttribute = []() -> GetAttributeFn {
    wchar_t system[MAX_PATH] = {};
    UINT n = GetSystemDirectoryW(system, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    HMODULE dwm = LoadLibraryW((std::wstring(system) + L"\\dwmapi.dll").c_str());
    return dwm ? reinterpret_cast<GetAttributeFn>(GetProcAddress(dwm, "DwmGetWindowAttribute")) : nullptr;
  }();
  RECT r{};
  GetWindowRect(window, &r);
  if (getAttribute) {
    RECT bounds{};
    if (SUCCEEDED(getAttribute(window, kDwmExtendedFrameBounds, &bounds, sizeof bounds)) &&
        bounds.right > bounds.left && bounds.bottom > bounds.top)
      return bounds;
  }
  return r;
}
