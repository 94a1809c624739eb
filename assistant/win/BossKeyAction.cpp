#include "assistant/win/BossKeyAction.h"

#include "common/Text.h"
#include "win/Window.h"

namespace boss_key {
namespace {
const char kProgramManager[] = "Program Manager";
constexpr UINT kRaiseFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED;

// A minimised window comes back where it was; true when it was minimised.
bool RestoreIfMinimised(HWND window) {
  if (!IsIconic(window)) return false;
  SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  return true;
}
}  // namespace

std::vector<HWND> OwnWindows() {
  std::vector<HWND> windows;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    // GetParent names the owner of a pop-up only: an owned overlapped window
    // (a program's second main window) is listed, an owned dialog is not.
    if (!IsWindowVisible(w) || GetParent(w)) continue;
    if (GetWindowTextLengthW(w) < 1) continue;
    windows.push_back(w);
  }
  return windows;
}

bool SameTitle(const std::string& a, const std::string& b) {
  return lstrcmpiW(text::Widen(a).c_str(), text::Widen(b).c_str()) == 0;
}

std::vector<std::string> ListedTitles() {
  std::vector<std::string> titles;
  for (HWND w : OwnWindows()) {
    std::string title = win::TextOf(w);
    if (!SameTitle(title, kProgramManager)) titles.push_back(title);
  }
  return titles;
}

HWND FindByTitle(const std::string& title) {
  return title.empty() ? nullptr : FindWindowW(nullptr, text::Widen(title).c_str());
}

void MinimiseAll() {
  for (HWND w : OwnWindows()) PostMessageW(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void ShowWindowOnTop(HWND window) {
  if (RestoreIfMinimised(window)) return;
  SetForegroundWindow(window);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, kRaiseFlags);
}

void Run(const BossKeyRecord& record) {
  HWND cover = record.ShowsDesktop() ? nullptr : FindByTitle(record.title);
  if (!cover) {
    MinimiseAll();
    return;
  }
  if (RestoreIfMinimised(cover)) return;
  // Top-most and back: above every ordinary window, and not top-most after.
  SetWindowPos(cover, HWND_TOPMOST, 0, 0, 0, 0, kRaiseFlags);
  SetWindowPos(cover, HWND_NOTOPMOST, 0, 0, 0, 0, kRaiseFlags);
  RECT r{};
  GetWindowRect(cover, &r);
  SetCursorPos(r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2);
  // A click where the cursor is: without MOUSEEVENTF_MOVE the coordinates are not used.
  mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

}  // namespace boss_key
