// winctl: what another Windows program sees of brova. End-to-end tests run
// it under Wine to find windows, read their texts and rectangles, post
// messages, read the clipboard and open menus. Output is UTF-8, one record
// per line; the exit code is 0 on success, 1 when the thing asked for is
// not there, 2 on bad usage.
#include <windows.h>
#include <commctrl.h>
#include <sddl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/Text.h"

namespace {

void Out(const std::string& line) {
  std::string s = line + "\n";
  DWORD written;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), s.data(), static_cast<DWORD>(s.size()), &written, nullptr);
}

std::string Hex(HWND h) {
  return text::Format("0x%08llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(h)));
}

std::string TextOf(HWND h) {
  std::wstring buf(4096, L'\0');
  // WM_GETTEXT reaches into other processes' controls too.
  LRESULT n = SendMessageTimeoutW(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(&buf[0]), SMTO_ABORTIFHUNG,
                                  2000, nullptr)
                  ? static_cast<LRESULT>(wcslen(buf.c_str()))
                  : 0;
  buf.resize(static_cast<size_t>(n));
  std::string s = text::Narrow(buf);
  for (char& c : s)
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  return s;
}

std::string ClassOf(HWND h) {
  wchar_t buf[256] = {};
  GetClassNameW(h, buf, 256);
  return text::Narrow(buf);
}

std::string RectText(const RECT& r) { return text::Format("%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom); }

HWND ParseHandle(const std::string& s) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(s.c_str(), nullptr, 0)));
}

// A window given as a handle ("0x...") or as the title of a top-level window.
HWND Resolve(const std::string& what) {
  if (what.rfind("0x", 0) == 0) return ParseHandle(what);
  return FindWindowW(nullptr, text::Widen(what).c_str());
}

struct TopLevel {
  std::vector<HWND> list;
};

BOOL CALLBACK CollectTop(HWND h, LPARAM lp) {
  reinterpret_cast<TopLevel*>(lp)->list.push_back(h);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  TopLevel t;
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&t));
  return t.list;
}

std::string Describe(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  LONG style = GetWindowLongW(h, GWL_STYLE), ex = GetWindowLongW(h, GWL_EXSTYLE);
  return text::Format("%s\t%s\t%s\t%s\tvisible=%d\tenabled=%d\ttopmost=%d\tid=%d\tpid=%lu", Hex(h).c_str(),
                      ClassOf(h).c_str(), TextOf(h).c_str(), RectText(r).c_str(), IsWindowVisible(h) ? 1 : 0,
                      IsWindowEnabled(h) ? 1 : 0, (ex & WS_EX_TOPMOST) ? 1 : 0, GetDlgCtrlID(h),
                      static_cast<unsigned long>(pid)) +
         text::Format("\tstyle=0x%08lx", static_cast<unsigned long>(style));
}

BOOL CALLBACK CollectChild(HWND h, LPARAM lp) {
  reinterpret_cast<TopLevel*>(lp)->list.push_back(h);
  return TRUE;
}

int Windows() {
  for (HWND h : TopLevelWindows()) Out(Describe(h));
  return 0;
}

int Count(const std::string& title) {
  int n = 0;
  for (HWND h : TopLevelWindows())
    if (TextOf(h) == title) ++n;
  Out(std::to_string(n));
  return 0;
}

int Find(const std::string& what) {
  HWND h = Resolve(what);
  if (!h || !IsWindow(h)) return 1;
  Out(Describe(h));
  return 0;
}

int Children(const std::string& what) {
  HWND h = Resolve(what);
  if (!h) return 1;
  TopLevel t;
  EnumChildWindows(h, CollectChild, reinterpret_cast<LPARAM>(&t));
  for (HWND c : t.list) Out(Describe(c));
  return 0;
}

int Item(const std::string& what, int id) {
  HWND h = Resolve(what);
  HWND c = h ? GetDlgItem(h, id) : nullptr;
  if (!c) return 1;
  Out(Describe(c));
  return 0;
}

int Client(const std::string& what) {
  HWND h = Resolve(what);
  if (!h) return 1;
  RECT r{};
  GetClientRect(h, &r);
  MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
  Out(RectText(r));
  return 0;
}

int PostOrSend(bool send, const std::string& what, const std::string& m, const std::string& w, const std::string& l) {
  HWND h = Resolve(what);
  if (!h) return 1;
  UINT message = static_cast<UINT>(std::strtoul(m.c_str(), nullptr, 0));
  WPARAM wp = static_cast<WPARAM>(std::strtoull(w.c_str(), nullptr, 0));
  LPARAM lp = static_cast<LPARAM>(std::strtoll(l.c_str(), nullptr, 0));
  if (send) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(h, message, wp, lp, SMTO_NORMAL, 5000, &result);
    Out(std::to_string(static_cast<long>(result)));
    return 0;
  }
  return PostMessageW(h, message, wp, lp) ? 0 : 1;
}

int Clipboard() {
  if (!OpenClipboard(nullptr)) return 1;
  UINT format = 0;
  std::string formats;
  while ((format = EnumClipboardFormats(format)) != 0) formats += std::to_string(format) + " ";
  Out("formats " + formats);
  if (HBITMAP bmp = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
    BITMAP b{};
    if (GetObjectW(bmp, sizeof b, &b)) Out(text::Format("bitmap %ld %ld %d", b.bmWidth, b.bmHeight, b.bmBitsPixel));
  }
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* w = static_cast<const wchar_t*>(GlobalLock(h))) {
      Out("text " + text::Narrow(std::wstring(w, wcsnlen(w, GlobalSize(h) / sizeof(wchar_t)))));
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return 0;
}

// Writes the clipboard's bitmap as a 24-bit BMP file, for a test to compare
// its pixels.
int SaveClipboardBitmap(const std::string& path) {
  if (!OpenClipboard(nullptr)) return 1;
  int status = 1;
  if (HBITMAP bmp = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
    BITMAP b{};
    if (GetObjectW(bmp, sizeof b, &b)) {
      BITMAPINFOHEADER h{};
      h.biSize = sizeof h;
      h.biWidth = b.bmWidth;
      h.biHeight = b.bmHeight;
      h.biPlanes = 1;
      h.biBitCount = 24;
      const DWORD stride = (static_cast<DWORD>(b.bmWidth) * 3 + 3) & ~3u;
      h.biSizeImage = stride * static_cast<DWORD>(b.bmHeight);
      std::string pixels(h.biSizeImage, '\0');
      HDC screen = GetDC(nullptr);
      int lines = GetDIBits(screen, bmp, 0, static_cast<UINT>(b.bmHeight), &pixels[0],
                            reinterpret_cast<BITMAPINFO*>(&h), DIB_RGB_COLORS);
      ReleaseDC(nullptr, screen);
      BITMAPFILEHEADER f{};
      f.bfType = 0x4D42;
      f.bfOffBits = sizeof f + sizeof h;
      f.bfSize = f.bfOffBits + h.biSizeImage;
      HANDLE out = CreateFileW(text::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      if (lines > 0 && out != INVALID_HANDLE_VALUE) {
        DWORD n;
        WriteFile(out, &f, sizeof f, &n, nullptr);
        WriteFile(out, &h, sizeof h, &n, nullptr);
        WriteFile(out, pixels.data(), h.biSizeImage, &n, nullptr);
        status = 0;
      }
      if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    }
  }
  CloseClipboard();
  return status;
}

// Sets the text of a control in another program (WM_SETTEXT), as typing
// would leave it.
// Posts a message and waits until a capture file appears in folder (which
// must hold none before), then prints the milliseconds from the post to
// that moment. Capture files appear under their name only when whole.
int PostAndTimeFile(const std::string& what, const std::string& m, const std::string& folder, int timeoutMs,
                    const std::string& extension = ".bmp") {
  HWND h = Resolve(what);
  if (!h) return 1;
  const std::wstring pattern = text::Widen(folder + "\\Snapshot*" + extension);
  LARGE_INTEGER freq, start, now;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&start);
  if (!PostMessageW(h, static_cast<UINT>(std::strtoul(m.c_str(), nullptr, 0)), 0, 0)) return 1;
  for (;;) {
    WIN32_FIND_DATAW d;
    HANDLE find = FindFirstFileW(pattern.c_str(), &d);
    if (find != INVALID_HANDLE_VALUE) {
      FindClose(find);
      QueryPerformanceCounter(&now);
      Out(text::Format("%.1f", static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
                                   static_cast<double>(freq.QuadPart)));
      return 0;
    }
    QueryPerformanceCounter(&now);
    if ((now.QuadPart - start.QuadPart) * 1000 / freq.QuadPart > timeoutMs) return 1;
    Sleep(1);
  }
}

int ClearClipboard() {
  if (!OpenClipboard(nullptr)) return 1;
  EmptyClipboard();
  CloseClipboard();
  return 0;
}

// The items of the open popup menu(s): position, id, state, text.
int Menu() {
  bool any = false;
  for (HWND h : TopLevelWindows()) {
    if (ClassOf(h) != "#32768" || !IsWindowVisible(h)) continue;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(h, MN_GETHMENU, 0, 0));
    if (!menu) continue;
    any = true;
    RECT r{};
    GetWindowRect(h, &r);
    Out("menu " + Hex(h) + " " + RectText(r));
    int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
      wchar_t buf[256] = {};
      MENUITEMINFOW mi{};
      mi.cbSize = sizeof mi;
      mi.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
      mi.dwTypeData = buf;
      mi.cch = 255;
      GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mi);
      bool separator = (mi.fType & MFT_SEPARATOR) != 0;
      bool disabled = (mi.fState & (MFS_DISABLED | MFS_GRAYED)) != 0;
      Out(text::Format("%d\t%u\t%s\t%s", i, mi.wID,
                       separator ? "separator" : disabled ? "disabled" : mi.hSubMenu ? "popup" : "enabled",
                       text::Narrow(buf).c_str()));
    }
  }
  return any ? 0 : 1;
}

int Foreground() {
  HWND h = GetForegroundWindow();
  if (!h) return 1;
  Out(Describe(h));
  return 0;
}

int Activate(const std::string& what) {
  HWND h = Resolve(what);
  if (!h) return 1;
  SetForegroundWindow(h);
  return 0;
}

// A window property's value as a number; 1 when the window has none.
int Prop(const std::string& what, const std::string& name) {
  HWND h = Resolve(what);
  HANDLE value = h ? GetPropW(h, text::Widen(name).c_str()) : nullptr;
  if (!value) return 1;
  Out(std::to_string(static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(value))));
  return 0;
}

// The text of a window or of one of its controls, as WM_SETTEXT from
// another program sets it.
int SetText(HWND target, const std::string& utf8) {
  if (!target) return 1;
  std::wstring w = text::Widen(utf8);
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()), SMTO_NORMAL, 5000,
                             &result) &&
                 result
             ? 0
             : 1;
}

int Move(const std::string& what, int left, int top, int right, int bottom) {
  HWND h = Resolve(what);
  if (!h) return 1;
  return SetWindowPos(h, nullptr, left, top, right - left, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
}

// "HKLM\a\b" and the like: the root and the path below it. "HKLM32" and
// "HKLM64" name the 32-bit and 64-bit views of the machine's keys.
bool SplitKey(const std::string& full, HKEY& root, std::wstring& path, REGSAM& view) {
  size_t slash = full.find('\\');
  std::string name = full.substr(0, slash);
  view = 0;
  if (name == "HKLM32" || name == "HKLM64") {
    root = HKEY_LOCAL_MACHINE;
    view = name == "HKLM32" ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
  } else if (name == "HKLM") {
    root = HKEY_LOCAL_MACHINE;
  } else if (name == "HKCU") {
    root = HKEY_CURRENT_USER;
  } else if (name == "HKCR") {
    root = HKEY_CLASSES_ROOT;
  } else {
    return false;
  }
  path = slash == std::string::npos ? std::wstring() : text::Widen(full.substr(slash + 1));
  return true;
}

// Writes a REG_SZ value, creating the key; an empty name is the default value.
int RegWrite(const std::string& keyName, const std::string& name, const std::string& value) {
  HKEY root;
  std::wstring path;
  REGSAM view;
  if (!SplitKey(keyName, root, path, view)) return 2;
  HKEY key;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return 1;
  std::wstring w = text::Widen(value);
  LONG r = RegSetValueExW(key, name.empty() ? nullptr : text::Widen(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(w.c_str()), static_cast<DWORD>((w.size() + 1) * 2));
  RegCloseKey(key);
  return r == ERROR_SUCCESS ? 0 : 1;
}

// Leaves everyone only the right to read the key, as a standard user has
// under HKEY_LOCAL_MACHINE; exit code 1 when that fails.
int RegReadOnly(const std::string& keyName) {
  HKEY root;
  std::wstring path;
  REGSAM view;
  if (!SplitKey(keyName, root, path, view)) return 2;
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, WRITE_DAC | view, &key) != ERROR_SUCCESS) return 1;
  PSECURITY_DESCRIPTOR sd = nullptr;
  LONG r = 1;
  if (ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KR;;;WD)", SDDL_REVISION_1, &sd, nullptr)) {
    r = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd);
    LocalFree(sd);
  }
  RegCloseKey(key);
  return r == ERROR_SUCCESS ? 0 : 1;
}

// Prints a string value, or a number value in decimal; exit code 1 when the key or value is missing.
int RegRead(const std::string& keyName, const std::string& name) {
  HKEY root;
  std::wstring path;
  REGSAM view;
  if (!SplitKey(keyName, root, path, view)) return 2;
  wchar_t buf[4096] = {};
  DWORD bytes = sizeof buf - sizeof(wchar_t);
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return 1;
  DWORD type = 0;
  LONG r = RegGetValueW(key, nullptr, name.empty() ? nullptr : text::Widen(name).c_str(),
                        RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, buf, &bytes);
  RegCloseKey(key);
  if (r != ERROR_SUCCESS) return 1;
  if (type == REG_DWORD) {
    DWORD number;
    memcpy(&number, buf, sizeof number);
    Out(std::to_string(number));
    return 0;
  }
  Out(text::Narrow(buf));
  return 0;
}

// Starts exe and measures the time until a visible top-level window titled
// title exists; then lets the program settle for settleMs and closes that
// window, as a user would, waiting for the program to end. Prints
// "ms=<start-up> pid=<process id>" as soon as the window shows.
int Launch(const std::string& title, const std::string& exe, int settleMs) {
  LARGE_INTEGER freq, start, now;
  QueryPerformanceFrequency(&freq);
  std::wstring cmd = L"\"" + text::Widen(exe) + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
  std::wstring wtitle = text::Widen(title);
  double ms = -1;
  HWND found = nullptr;
  for (int i = 0; i < 60000 && !found; ++i) {
    HWND h = FindWindowW(nullptr, wtitle.c_str());
    if (h && IsWindowVisible(h)) {
      QueryPerformanceCounter(&now);
      ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
      found = h;
    } else {
      Sleep(1);
    }
  }
  Out(text::Format("ms=%.1f pid=%lu", ms, static_cast<unsigned long>(pi.dwProcessId)));
  FlushFileBuffers(GetStdHandle(STD_OUTPUT_HANDLE));
  Sleep(static_cast<DWORD>(settleMs));
  if (found) PostMessageW(found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return ms < 0 ? 1 : 0;
}

// Entry i of a combo or list box, read with its length and text messages.
std::string EntryText(HWND h, UINT lengthMsg, UINT textMsg, int i) {
  int n = static_cast<int>(SendMessageW(h, lengthMsg, i, 0));
  std::wstring buf(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
  SendMessageW(h, textMsg, i, reinterpret_cast<LPARAM>(&buf[0]));
  buf.resize(wcslen(buf.c_str()));
  return text::Narrow(buf);
}

// The entries of a combo box, "*" before the selected one.
int Combo(const std::string& what) {
  HWND h = Resolve(what);
  if (!h) return 1;
  int count = static_cast<int>(SendMessageW(h, CB_GETCOUNT, 0, 0));
  int selected = static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0));
  for (int i = 0; i < count; ++i)
    Out(text::Format("%s%d\t%s", i == selected ? "*" : "", i, EntryText(h, CB_GETLBTEXTLEN, CB_GETLBTEXT, i).c_str()));
  return 0;
}

// The rows of a list box, as combo prints them; "*" marks each selected row
// of a multiple-selection list, or the one selected row of another.
int ListBoxRows(const std::string& what) {
  HWND h = Resolve(what);
  if (!h) return 1;
  int count = static_cast<int>(SendMessageW(h, LB_GETCOUNT, 0, 0));
  int single = static_cast<int>(SendMessageW(h, LB_GETCURSEL, 0, 0));
  for (int i = 0; i < count; ++i) {
    LRESULT sel = SendMessageW(h, LB_GETSEL, i, 0);
    bool selected = sel == LB_ERR ? i == single : sel > 0;
    Out(text::Format("%s%d\t%s", selected ? "*" : "", i, EntryText(h, LB_GETTEXTLEN, LB_GETTEXT, i).c_str()));
  }
  return 0;
}

// The rows of a report list view of another process, one line each with
// its columns separated by tabs and "*" before a selected row. The list's
// messages take pointers, so the buffers live in the list's process.
int ListViewRows(const std::string& what, int first = 0) {
  HWND h = Resolve(what);
  if (!h) return 1;
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return 1;
  constexpr int kChars = 4096;
  SIZE_T size = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
  auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
  if (!remote) {
    CloseHandle(process);
    return 1;
  }
  HWND header = reinterpret_cast<HWND>(SendMessageW(h, LVM_GETHEADER, 0, 0));
  int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  int rows = static_cast<int>(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0));
  for (int r = first < 0 ? 0 : first; r < rows; ++r) {
    bool selected = (SendMessageW(h, LVM_GETITEMSTATE, r, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    std::string line = selected ? "*" : "";
    for (int c = 0; c < columns; ++c) {
      LVITEMW item{};
      item.iSubItem = c;
      item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
      item.cchTextMax = kChars;
      WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
      int n = static_cast<int>(SendMessageW(h, LVM_GETITEMTEXTW, r, reinterpret_cast<LPARAM>(remote)));
      std::wstring buf(static_cast<size_t>(n > 0 ? n : 0), L'\0');
      if (n > 0) ReadProcessMemory(process, remote + sizeof(LVITEMW), &buf[0], n * sizeof(wchar_t), nullptr);
      std::string cell = text::Narrow(buf);
      for (char& ch : cell)
        if (ch == '\r' || ch == '\n' || ch == '\t') ch = ' ';
      line += (c ? "\t" : "") + cell;
    }
    Out(line);
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return 0;
}

// The screen rectangle of a list view row (another process's list).
// The screen rectangle of item i of a list view or tab control of another
// process: the message fills a RECT that lives in the control's process.
int RemoteItemRect(const std::string& what, UINT msg, int item, RECT r) {
  HWND h = Resolve(what);
  if (!h) return 1;
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return 1;
  void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  bool ok = remote && WriteProcessMemory(process, remote, &r, sizeof r, nullptr) &&
            SendMessageW(h, msg, item, reinterpret_cast<LPARAM>(remote)) &&
            ReadProcessMemory(process, remote, &r, sizeof r, nullptr);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  if (!ok) return 1;
  MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
  Out(RectText(r));
  return 0;
}

// The notification-area icon (WIN, ID): "has" answers 0 when the taskbar
// holds it, "remove" takes it away as a restarted taskbar would have.
int TrayIcon(const std::string& action, const std::string& what, const std::string& id) {
  HWND h = Resolve(what);
  if (!h) return 1;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = h;
  data.uID = static_cast<UINT>(std::strtoul(id.c_str(), nullptr, 0));
  return Shell_NotifyIconW(action == "remove" ? NIM_DELETE : NIM_MODIFY, &data) ? 0 : 1;
}

// Sends a registered message to every top-level window, as the system does
// with "TaskbarCreated".
int BroadcastRegistered(const std::string& name) {
  UINT message = RegisterWindowMessageW(text::Widen(name).c_str());
  return message && PostMessageW(HWND_BROADCAST, message, 0, 0) ? 0 : 1;
}

int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// 0 when the system has a font of this face name (not a stand-in for it).
int HasFont(const std::string& face) {
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  std::wstring name = text::Widen(face);
  if (name.size() >= LF_FACESIZE) return 2;
  wcscpy(lf.lfFaceName, name.c_str());
  bool found = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &lf, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found ? 0 : 1;
}

int Usage() {
  Out("usage: winctl windows | count TITLE | find WIN | children WIN | item WIN ID | client WIN |"
      " post WIN MSG WPARAM LPARAM | send WIN MSG WPARAM LPARAM | clipboard | clear-clipboard | menu |"
      " foreground | activate WIN | launch TITLE EXE SETTLE_MS | settext WIN [ID] TEXT | move WIN L T R B |"
      " reg-write KEY NAME VALUE | reg-read KEY NAME | reg-readonly KEY | clipboard-save PATH |"
      " post-time-file WIN MSG FOLDER TIMEOUT_MS [.EXT] | prop WIN NAME | combo WIN | listview WIN | lvrect WIN ROW |"
      " tabrect WIN ITEM | tray has|remove WIN ID | broadcast-registered NAME | font FACE");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> a;
  for (int i = 1; i < argc; ++i) a.push_back(text::Narrow(argv[i]));
  if (a.empty()) return Usage();
  const std::string& cmd = a[0];
  if (cmd == "windows") return Windows();
  if (cmd == "count" && a.size() == 2) return Count(a[1]);
  if (cmd == "find" && a.size() == 2) return Find(a[1]);
  if (cmd == "children" && a.size() == 2) return Children(a[1]);
  if (cmd == "item" && a.size() == 3) return Item(a[1], std::atoi(a[2].c_str()));
  if (cmd == "client" && a.size() == 2) return Client(a[1]);
  if ((cmd == "post" || cmd == "send") && a.size() == 5) return PostOrSend(cmd == "send", a[1], a[2], a[3], a[4]);
  if (cmd == "font" && a.size() == 2) return HasFont(a[1]);
  if (cmd == "tray" && a.size() == 4) return TrayIcon(a[1], a[2], a[3]);
  if (cmd == "broadcast-registered" && a.size() == 2) return BroadcastRegistered(a[1]);
  if (cmd == "clipboard") return Clipboard();
  if (cmd == "clear-clipboard") return ClearClipboard();
  if (cmd == "clipboard-save" && a.size() == 2) return SaveClipboardBitmap(a[1]);
  if (cmd == "post-time-file" && a.size() == 5) return PostAndTimeFile(a[1], a[2], a[3], std::atoi(a[4].c_str()));
  if (cmd == "post-time-file" && a.size() == 6)
    return PostAndTimeFile(a[1], a[2], a[3], std::atoi(a[4].c_str()), a[5]);
  if (cmd == "menu") return Menu();
  if (cmd == "foreground") return Foreground();
  if (cmd == "activate" && a.size() == 2) return Activate(a[1]);
  if (cmd == "settext" && a.size() == 3) return SetText(Resolve(a[1]), a[2]);
  if (cmd == "settext" && a.size() == 4) {
    HWND h = Resolve(a[1]);
    return SetText(h ? GetDlgItem(h, std::atoi(a[2].c_str())) : nullptr, a[3]);
  }
  if (cmd == "move" && a.size() == 6)
    return Move(a[1], std::atoi(a[2].c_str()), std::atoi(a[3].c_str()), std::atoi(a[4].c_str()),
                std::atoi(a[5].c_str()));
  if (cmd == "reg-write" && a.size() == 4) return RegWrite(a[1], a[2], a[3]);
  if (cmd == "reg-read" && a.size() == 3) return RegRead(a[1], a[2]);
  if (cmd == "reg-readonly" && a.size() == 2) return RegReadOnly(a[1]);
  if (cmd == "launch" && a.size() == 4) return Launch(a[1], a[2], std::atoi(a[3].c_str()));
  if (cmd == "prop" && a.size() == 3) return Prop(a[1], a[2]);
  if (cmd == "combo" && a.size() == 2) return Combo(a[1]);
  if (cmd == "listbox" && a.size() == 2) return ListBoxRows(a[1]);
  if (cmd == "listview" && a.size() == 2) return ListViewRows(a[1]);
  if (cmd == "listview" && a.size() == 3) return ListViewRows(a[1], std::atoi(a[2].c_str()));
  if (cmd == "lvrect" && a.size() == 3)
    return RemoteItemRect(a[1], LVM_GETITEMRECT, std::atoi(a[2].c_str()), RECT{LVIR_BOUNDS, 0, 0, 0});
  if (cmd == "tabrect" && a.size() == 3) return RemoteItemRect(a[1], TCM_GETITEMRECT, std::atoi(a[2].c_str()), RECT{});
  return Usage();
}
