#include "assistant/win/RegistryKey.h"

#include "common/Text.h"
#include "win/Handles.h"

int CRegistryKey::SetRoot(HKEY root) {
  if (root != HKEY_CLASSES_ROOT && root != HKEY_CURRENT_USER && root != HKEY_LOCAL_MACHINE && root != HKEY_USERS)
    return 0;
  root_ = root;
  return 1;
}

void CRegistryKey::Reset() {
  path_.clear();
  root_ = HKEY_CURRENT_USER;
  lazy_ = true;
  view_ = 0;
}

int CRegistryKey::Open(const std::string& path, int create) {
  if (path.empty()) {
    path_.clear();
    return 1;
  }
  std::wstring wpath = text::Widen(path);
  win::RegKey key;
  if (create) {
    DWORD disposition = 0;
    if (RegCreateKeyExW(root_, wpath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, key.Receive(), &disposition) !=
        ERROR_SUCCESS)
      return 0;
  } else {
    lastError_ = RegOpenKeyExW(root_, wpath.c_str(), 0, KEY_ALL_ACCESS | view_, key.Receive());
    if (lastError_ != ERROR_SUCCESS) return 0;
  }
  path_ = path;
  if (!lazy_) RegFlushKey(key.get());
  return 1;
}

int CRegistryKey::OpenForReading(const std::string& path) {
  if (path.empty()) {
    path_.clear();
    return 1;
  }
  win::RegKey key;
  lastError_ = RegOpenKeyExW(root_, text::Widen(path).c_str(), 0, KEY_READ | view_, key.Receive());
  if (lastError_ != ERROR_SUCCESS) return 0;
  path_ = path;
  return 1;
}

DWORD CRegistryKey::ValueType(const std::string& name) {
  win::RegKey key;
  lastError_ = RegOpenKeyExW(root_, text::Widen(path_).c_str(), 0, KEY_QUERY_VALUE | view_, key.Receive());
  if (lastError_ != ERROR_SUCCESS) return 0;
  DWORD type = REG_SZ;
  lastError_ = RegQueryValueExW(key.get(), text::Widen(name).c_str(), nullptr, &type, nullptr, nullptr);
  return lastError_ == ERROR_SUCCESS ? type : 0;
}

std::string CRegistryKey::ReadString(const std::string& name, const std::string& fallback) {
  DWORD type = ValueType(name);
  if (type != REG_SZ && type != REG_EXPAND_SZ) return fallback;
  win::RegKey key;
  lastError_ = RegOpenKeyExW(root_, text::Widen(path_).c_str(), 0, KEY_READ | view_, key.Receive());
  if (lastError_ != ERROR_SUCCESS) return fallback;
  // Room for the longest text we write and its NUL; a longer value fails
  // with ERROR_MORE_DATA.
  wchar_t buf[kMaxTextChars + 1] = {};
  DWORD bytes = sizeof buf;
  lastError_ = RegQueryValueExW(key.get(), text::Widen(name).c_str(), nullptr, nullptr,
                                reinterpret_cast<BYTE*>(buf), &bytes);
  if (lastError_ != ERROR_SUCCESS) return fallback;
  // The stored data need not end with a NUL.
  size_t chars = bytes / sizeof(wchar_t);
  while (chars > 0 && buf[chars - 1] == L'\0') --chars;
  return text::Narrow(std::wstring_view(buf, chars));
}

int CRegistryKey::WriteString(const std::string& name, const std::string& value) {
  std::wstring wide = text::Widen(value);
  if (wide.size() > kMaxTextChars) return 0;
  win::RegKey key;
  if (RegOpenKeyExW(root_, text::Widen(path_).c_str(), 0, KEY_WRITE | view_, key.Receive()) != ERROR_SUCCESS) return 0;
  lastError_ = RegSetValueExW(key.get(), text::Widen(name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(wide.c_str()),
                              static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
  if (!lazy_) RegFlushKey(key.get());
  return lastError_ == ERROR_SUCCESS ? 1 : 0;
}

int CRegistryKey::DeleteValue(const std::string& name) {
  win::RegKey key;
  if (RegOpenKeyExW(root_, text::Widen(path_).c_str(), 0, KEY_SET_VALUE | view_, key.Receive()) != ERROR_SUCCESS) return 0;
  return RegDeleteValueW(key.get(), text::Widen(name).c_str()) == ERROR_SUCCESS ? 1 : 0;
}
