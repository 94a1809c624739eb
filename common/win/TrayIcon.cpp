#include "common/win/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>

#include "common/Text.h"

namespace {

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

}  // namespace

bool CTrayIcon::Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::string& tip) {
  Remove();
  TaskbarCreatedMessage();  // registered before any taskbar could announce itself
  data_ = NOTIFYICONDATAW{};
  data_.cbSize = sizeof data_;
  data_.hWnd = owner;
  data_.uID = id;
  data_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data_.uCallbackMessage = callbackMessage;
  data_.hIcon = icon;
  std::wstring wide = text::Widen(tip);
  wide.resize(std::min(wide.size(), static_cast<size_t>(ARRAYSIZE(data_.szTip) - 1)));
  wcscpy(data_.szTip, wide.c_str());
  wanted_ = true;
  shown_ = Notify(NIM_ADD);
  return shown_;
}

void CTrayIcon::Remove() {
  if (shown_) Notify(NIM_DELETE);
  wanted_ = shown_ = false;
}

bool CTrayIcon::OnTaskbarCreated(UINT message) {
  if (message == 0 || message != TaskbarCreatedMessage()) return false;
  // A new taskbar starts empty; when the old one kept the icon (the message
  // came without a restart), it is only brought up to date.
  if (wanted_) shown_ = Notify(NIM_ADD) || Notify(NIM_MODIFY);
  return true;
}

bool CTrayIcon::Notify(DWORD action) { return Shell_NotifyIconW(action, &data_) != 0; }
