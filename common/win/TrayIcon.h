// An icon in the notification area that survives the taskbar: added by Add,
// added again when a new taskbar announces itself ("TaskbarCreated", after
// Explorer restarts), removed when the object goes.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

class CTrayIcon {
 public:
  CTrayIcon() = default;
  ~CTrayIcon() { Remove(); }
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // Shows the icon with its tool tip (UTF-8); mouse events come to owner as
  // callbackMessage with the mouse message in LPARAM. False when the taskbar
  // took no icon (there may be none yet; it is added when one appears).
  bool Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::string& tip);
  void Remove();

  // Call for every message of the owner: true when it was the taskbar's
  // announcement, which has then been answered.
  bool OnTaskbarCreated(UINT message);

 private:
  bool Notify(DWORD action);

  NOTIFYICONDATAW data_{};
  bool wanted_ = false;  // Add was called and Remove was not
  bool shown_ = false;   // the taskbar holds the icon
};
