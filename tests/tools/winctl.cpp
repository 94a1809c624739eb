// winctl: what another Windows program sees of brova. End-to-end tests run
// it under Wine to find windows, read their texts and rectangles, post
// messages, read the clipboard and open menus. Output is UTF-8, one record
// per line; the exit code is 0 on success, 1 when the thing asked for is
// not there, 2 on bad usage.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/Text.h"

namespace {

void Out(const std::string& line) {
  std::string s = line + "\n";
  DWORD written;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), s.data(), static_cast<DWORD>(s.size()), &written, nullptr);
}

std::string Hex(HWND h) { return text::Format("0x%08lx", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(h))); }

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
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoul(s.c_str(), nullptr, 0)));
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
  WPARAM wp = static_cast<WPARAM>(std::strtoul(w.c_str(), nullptr, 0));
  LPARAM lp = static_cast<LPARAM>(std::strtol(l.c_str(), nullptr, 0));
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
  CloseClipboard();
  return 0;
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
  Out(std::to_string(static_cast<unsigned long>(reinterpret_cast<uintptr_t>(value))));
  return 0;
}

int SetText(const std::string& what, const std::string& utf8) {
  HWND h = Resolve(what);
  if (!h) return 1;
  std::wstring w = text::Widen(utf8);
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()), SMTO_NORMAL, 5000, &result) &&
                 result
             ? 0
             : 1;
}

// The entries of a combo box, "*" before the selected one.
int Combo(const std::string& what) {
  HWND h = Resolve(what);
  if (!h) return 1;
  int count = static_cast<int>(SendMessageW(h, CB_GETCOUNT, 0, 0));
  int selected = static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0));
  for (int i = 0; i < count; ++i) {
    int n = static_cast<int>(SendMessageW(h, CB_GETLBTEXTLEN, i, 0));
    std::wstring buf(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
    SendMessageW(h, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&buf[0]));
    buf.resize(wcslen(buf.c_str()));
    Out(text::Format("%s%d\t%s", i == selected ? "*" : "", i, text::Narrow(buf).c_str()));
  }
  return 0;
}

// The rows of a report list view of another process, one line each with
// its columns separated by tabs and "*" before a selected row. The list's
// messages take pointers, so the buffers live in the list's process.
int ListViewRows(const std::string& what) {
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
  for (int r = 0; r < rows; ++r) {
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
int ListViewRowRect(const std::string& what, int row) {
  HWND h = Resolve(what);
  if (!h) return 1;
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return 1;
  void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  RECT r{LVIR_BOUNDS, 0, 0, 0};
  bool ok = remote && WriteProcessMemory(process, remote, &r, sizeof r, nullptr) &&
            SendMessageW(h, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote)) &&
            ReadProcessMemory(process, remote, &r, sizeof r, nullptr);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  if (!ok) return 1;
  MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
  Out(RectText(r));
  return 0;
}

int Usage() {
  Out("usage: winctl windows | count TITLE | find WIN | children WIN | item WIN ID | client WIN |"
      " post WIN MSG WPARAM LPARAM | send WIN MSG WPARAM LPARAM | clipboard | clear-clipboard | menu |"
      " foreground | activate WIN | prop WIN NAME | settext WIN TEXT | combo WIN | listview WIN |"
      " lvrect WIN ROW");
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
  if (cmd == "clipboard") return Clipboard();
  if (cmd == "clear-clipboard") return ClearClipboard();
  if (cmd == "menu") return Menu();
  if (cmd == "foreground") return Foreground();
  if (cmd == "activate" && a.size() == 2) return Activate(a[1]);
  if (cmd == "prop" && a.size() == 3) return Prop(a[1], a[2]);
  if (cmd == "settext" && a.size() == 3) return SetText(a[1], a[2]);
  if (cmd == "combo" && a.size() == 2) return Combo(a[1]);
  if (cmd == "listview" && a.size() == 2) return ListViewRows(a[1]);
  if (cmd == "lvrect" && a.size() == 3) return ListViewRowRect(a[1], std::atoi(a[2].c_str()));
  return Usage();
}
