#include "assistant/win/CdTray.h"

#include <windows.h>

#include <cstdlib>
#include <mutex>
#include <thread>

#include "common/File.h"
#include "common/Text.h"

namespace {

// Tests name a file here that receives every MCI command, one a line.
const char kCommandLogVariable[] = "BROVA_TEST_MCI_LOG";

using MciSendStringFn = DWORD(WINAPI*)(LPCWSTR, LPWSTR, UINT, HWND);

// The multimedia library is loaded by the first tray request, not at start.
MciSendStringFn MciSendString() {
  static MciSendStringFn send = [] {
    HMODULE winmm = LoadLibraryW(L"winmm.dll");
    return winmm ? reinterpret_cast<MciSendStringFn>(GetProcAddress(winmm, "mciSendStringW")) : nullptr;
  }();
  return send;
}

void LogCommand(const std::string& command) {
  static std::mutex lock;
  const char* path = std::getenv(kCommandLogVariable);
  if (!path || !*path) return;
  std::lock_guard<std::mutex> hold(lock);
  file::FilePtr f = file::Open(path, "ab");
  if (f) std::fputs((command + "\n").c_str(), f.get());
}

void SendCommand(const std::string& command) {
  LogCommand(command);
  if (MciSendStringFn send = MciSendString()) send(text::Widen(command).c_str(), nullptr, 0, nullptr);
}

}  // namespace

void CCdDriveTable::FillFromSystem() {
  names_.clear();
  DWORD drives = GetLogicalDrives();
  for (int letter = 0; letter < 26; ++letter) {
    if (!(drives & (1u << letter))) continue;
    std::string name = std::string(1, static_cast<char>('A' + letter)) + ":";
    if (GetDriveTypeW(text::Widen(name + "\\").c_str()) == DRIVE_CDROM) names_.push_back(name);
  }
}

std::string CCdDriveTable::Name(int i) const {
  return i >= 0 && i < Count() ? names_[static_cast<size_t>(i)] : std::string();
}

void CCdDriveTable::RequestTray(int i, bool open) const {
  if (i < 0 || i > Count()) return;
  // Each drive has an alias of its own, so requests for two drives never meet.
  std::string alias = text::Format("brovacd%d", i);
  std::string openCommand = text::Format("open %s type cdaudio alias %s wait", Name(i).c_str(), alias.c_str());
  std::string doorCommand = text::Format("set %s door %s wait", alias.c_str(), open ? "open" : "closed");
  std::string closeCommand = text::Format("close %s wait", alias.c_str());
  std::thread([openCommand, doorCommand, closeCommand] {
    SendCommand(openCommand);
    SendCommand(doorCommand);
    SendCommand(closeCommand);
  }).detach();
}
