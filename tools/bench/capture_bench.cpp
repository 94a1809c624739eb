// Helper of the capture benchmarks (tools/bench-capture.sh,
// tools/soak-capture.sh); runs beside brova under the same Wine:
//   capture_bench key-time TIMEOUT_MS
//       presses Ctrl+Alt+1 (the full-screen capture key) and prints the
//       milliseconds until the capture result window is visible
//   capture_bench soak N FOLDER
//       N full-screen captures in a row, each started by the capture
//       message, its result window closed as soon as it shows and its file
//       removed from FOLDER; every other capture is pasted (the clipboard's
//       bitmap is asked for). Then prints brova's handle counts:
//       "gdi=N user=N kernel=N" (under Wine, whose system reports no GUI
//       resources, gdi counts the live entries of brova's GDI handle table
//       and user its windows).
// Exit code 0 on success, 1 when brova did not answer in time, 2 on bad usage.
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/FrameMessages.h"
#include "common/Text.h"
#include "tools/bench/BenchClock.h"

namespace {

const wchar_t kResultTitle[] = L"截屏管理";
constexpr int kWaitMs = 30000;

HWND VisibleResultWindow() {
  HWND h = FindWindowW(nullptr, kResultTitle);
  return h && IsWindowVisible(h) ? h : nullptr;
}

// Polls until cond holds or timeoutMs pass.
template <class F>
bool WaitFor(F cond, int timeoutMs) {
  const double end = NowMs() + timeoutMs;
  while (!cond()) {
    if (NowMs() > end) return false;
    Sleep(1);
  }
  return true;
}

void Key(WORD vk, bool down, std::vector<INPUT>& out) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  out.push_back(in);
}

int KeyTime(int timeoutMs) {
  if (!WaitFor([] { return VisibleResultWindow() == nullptr; }, timeoutMs)) return 1;
  std::vector<INPUT> keys;
  Key(VK_CONTROL, true, keys);
  Key(VK_MENU, true, keys);
  Key('1', true, keys);
  Key('1', false, keys);
  Key(VK_MENU, false, keys);
  Key(VK_CONTROL, false, keys);
  const double start = NowMs();
  if (SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) != keys.size()) return 1;
  // Polled gently: a busy loop would take a core from brova. Under Wine a
  // query of another program's window waits while that program shows it,
  // so the window counts as visible once it has been shown.
  HWND window = nullptr;
  if (!WaitFor([&] { return (window = FindWindowW(nullptr, kResultTitle)) != nullptr; }, timeoutMs) ||
      !WaitFor([&] { return IsWindowVisible(window) != FALSE; }, timeoutMs))
    return 1;
  std::printf("%.1f\n", NowMs() - start);
  return 0;
}

// Under Wine the table that the process environment block points to holds
// 24-byte entries with the object's type in byte 14, 0 for a free entry.
constexpr size_t kGdiEntries = 0x10000, kGdiEntrySize = 24, kGdiTypeOffset = 14;
constexpr size_t kPebGdiTableOffset = 0xF8;  // PEB.GdiSharedHandleTable, 64-bit

long WineGdiCount(HANDLE process) {
  PROCESS_BASIC_INFORMATION info{};
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &info, sizeof info, nullptr) != 0) return -1;
  ULONG_PTR table = 0;
  SIZE_T got = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<const char*>(info.PebBaseAddress) + kPebGdiTableOffset, &table,
                         sizeof table, &got) ||
      !table)
    return -1;
  std::vector<unsigned char> entries(kGdiEntries * kGdiEntrySize);
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(), entries.size(), &got))
    return -1;
  long live = 0;
  for (size_t i = 0; i < kGdiEntries; ++i) live += entries[i * kGdiEntrySize + kGdiTypeOffset] != 0;
  return live;
}

struct WindowCount {
  DWORD pid;
  long count;
};

BOOL CALLBACK CountChild(HWND h, LPARAM lp) {
  ++reinterpret_cast<WindowCount*>(lp)->count;
  return TRUE;
}

BOOL CALLBACK CountTop(HWND h, LPARAM lp) {
  auto* c = reinterpret_cast<WindowCount*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == c->pid) {
    ++c->count;
    EnumChildWindows(h, CountChild, lp);
  }
  return TRUE;
}

// Handles of every process, from the system's handle list.
long KernelHandles(DWORD pid) {
  using QueryFn = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<QueryFn>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation"));
  if (!query) return -1;
  struct Entry {
    PVOID object;
    ULONG_PTR pid;
    ULONG_PTR handle;
    ULONG access;
    USHORT creatorBackTrace;
    USHORT type;
    ULONG attributes;
    ULONG reserved;
  };
  constexpr ULONG kExtendedHandleInformation = 64;
  std::vector<unsigned char> buffer(1 << 20);
  for (int round = 0; round < 8; ++round) {
    ULONG needed = 0;
    NTSTATUS s = query(kExtendedHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (s == 0) {
      const ULONG_PTR count = *reinterpret_cast<ULONG_PTR*>(buffer.data());
      const auto* e = reinterpret_cast<const Entry*>(buffer.data() + 2 * sizeof(ULONG_PTR));
      long mine = 0;
      for (ULONG_PTR i = 0; i < count; ++i) mine += e[i].pid == pid;
      return mine;
    }
    buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
  }
  return -1;
}

void PrintCounts(HWND frame) {
  DWORD pid = 0;
  GetWindowThreadProcessId(frame, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  long gdi = process ? static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS)) : -1;
  long user = process ? static_cast<long>(GetGuiResources(process, GR_USEROBJECTS)) : -1;
  if (process && gdi == 0) gdi = WineGdiCount(process);
  if (user == 0) {
    WindowCount c{pid, 0};
    EnumWindows(CountTop, reinterpret_cast<LPARAM>(&c));
    user = c.count;
  }
  DWORD kernel = 0;
  long handles = process && GetProcessHandleCount(process, &kernel) && kernel ? static_cast<long>(kernel)
                                                                               : KernelHandles(pid);
  if (process) CloseHandle(process);
  std::printf("gdi=%ld user=%ld kernel=%ld\n", gdi, user, handles);
}

void RemoveCaptures(const std::wstring& folder) {
  WIN32_FIND_DATAW d;
  HANDLE find = FindFirstFileW((folder + L"\\Snapshot*.bmp").c_str(), &d);
  if (find == INVALID_HANDLE_VALUE) return;
  do DeleteFileW((folder + L"\\" + d.cFileName).c_str());
  while (FindNextFileW(find, &d));
  FindClose(find);
}

// Asks for the clipboard's bitmap, as a paste does; true when it came.
bool Paste() {
  if (!OpenClipboard(nullptr)) return false;
  BITMAP b{};
  HBITMAP held = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  bool ok = held && GetObjectW(held, sizeof b, &b) && b.bmWidth > 0;
  CloseClipboard();
  return ok;
}

int Soak(int n, const std::wstring& folder) {
  HWND frame = FindWindowA(nullptr, frame_msg::kFrameTitle);
  if (!frame) return 1;
  for (int i = 1; i <= n; ++i) {
    if (!PostMessageW(frame, frame_msg::kCaptureFullScreen, 0, 0)) return 1;
    HWND result = nullptr;
    if (!WaitFor([&] { return (result = VisibleResultWindow()) != nullptr; }, kWaitMs)) {
      std::fprintf(stderr, "capture %d: no result window\n", i);
      return 1;
    }
    if (i % 2 == 1 && !Paste()) {
      std::fprintf(stderr, "capture %d: nothing to paste\n", i);
      return 1;
    }
    RemoveCaptures(folder);
    PostMessageW(result, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    if (!WaitFor([&] { return !IsWindow(result); }, kWaitMs)) {
      std::fprintf(stderr, "capture %d: the result window stays\n", i);
      return 1;
    }
  }
  // The last capture's sequence ends after its window has gone.
  Sleep(200);
  PrintCounts(frame);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> a;
  for (int i = 1; i < argc; ++i) a.push_back(text::Narrow(argv[i]));
  if (a.size() == 2 && a[0] == "key-time") return KeyTime(std::atoi(a[1].c_str()));
  if (a.size() == 3 && a[0] == "soak") return Soak(std::atoi(a[1].c_str()), text::Widen(a[2]));
  std::fprintf(stderr, "usage: capture_bench key-time TIMEOUT_MS | soak N FOLDER\n");
  return 2;
}
