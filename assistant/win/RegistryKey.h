// The program's one way into the registry: a key named by a root and a
// sub-key path. Every operation opens the key, does its work and closes it;
// no handle stays open between calls. Names and texts are UTF-8.
//
// Use: construct, SetRoot, Open(path, create), then read, write or delete.
#pragma once
#include <windows.h>

#include <string>

class CRegistryKey {
 public:
  // Texts longer than this are neither written nor read.
  static constexpr size_t kMaxTextChars = 254;

  CRegistryKey() = default;
  ~CRegistryKey() { Reset(); }
  CRegistryKey(const CRegistryKey&) = delete;
  CRegistryKey& operator=(const CRegistryKey&) = delete;

  // Accepts HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and
  // HKEY_USERS: 1; anything else changes nothing: 0.
  int SetRoot(HKEY root);
  // Path emptied, root HKEY_CURRENT_USER, own view, lazy.
  void Reset();
  // Which registry view of a 64-bit Windows the key lives in: 0 (the
  // program's own, the default), KEY_WOW64_32KEY (where 32-bit programs and
  // installers read and write HKEY_LOCAL_MACHINE\SOFTWARE) or KEY_WOW64_64KEY.
  void SetView(REGSAM view) { view_ = view & (KEY_WOW64_32KEY | KEY_WOW64_64KEY); }
  // Lazy (the default): the system writes changes back when it likes; not
  // lazy: every successful open and write is flushed at once.
  void SetLazy(bool lazy) { lazy_ = lazy; }

  // Opens the key with full access, creating it when create is set, and
  // remembers the path: 1 or 0. An empty path names the root itself and
  // succeeds without touching the registry.
  int Open(const std::string& path, int create);
  // Opens an existing key for reading only (what a user without rights to
  // change the key may still do) and remembers the path: 1 or 0.
  int OpenForReading(const std::string& path);

  // The type of a value (REG_SZ, REG_DWORD...), or 0 when it cannot be read.
  DWORD ValueType(const std::string& name);
  // A REG_SZ or REG_EXPAND_SZ value (not expanded); fallback for a missing
  // value, another type, or a text longer than kMaxTextChars.
  std::string ReadString(const std::string& name, const std::string& fallback);
  // Writes a REG_SZ value: 1 or 0; a text longer than kMaxTextChars is
  // refused without touching the registry.
  int WriteString(const std::string& name, const std::string& text);
  // 1 when the value was deleted.
  int DeleteValue(const std::string& name);

  LONG last_error() const { return lastError_; }
  HKEY root() const { return root_; }
  const std::string& path() const { return path_; }

 private:
  LONG lastError_ = 0;
  HKEY root_ = HKEY_CURRENT_USER;
  bool lazy_ = true;
  REGSAM view_ = 0;
  std::string path_;
};
