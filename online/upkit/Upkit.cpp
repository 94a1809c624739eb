// upkit.exe: installs a staged new program file. brova starts it at its end
// as "upkit.exe update" when data\brova_new.exe differs from brova.exe. It
// waits until brova has ended and replaces brova.exe so that a working
// brova.exe exists at every moment. The user had ended brova, so the new one
// is not started. The staged file stays: the update list names it with the
// new digest, and a copy that matches keeps the next runs from fetching the
// program again, while brova, finding it equal to brova.exe, starts no
// updater. A staged file that is not a whole x86-64 program (a download cut
// short, an error page) never replaces brova.exe: it is deleted, and the
// next update check fetches it again.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/FrameMessages.h"
#include "online/PeImage.h"
#include "win/Handles.h"

namespace {

constexpr wchar_t kUpdateCommand[] = L"update";
constexpr wchar_t kProgramName[] = L"brova.exe";
constexpr wchar_t kStagedName[] = L"data\\brova_new.exe";
constexpr wchar_t kIncomingName[] = L"brova.exe.incoming";  // the new file, copied beside the old one
constexpr wchar_t kBackupName[] = L"brova.exe.old";         // the old file until the new one is in place
constexpr DWORD kWaitLimitMs = 60000;
constexpr DWORD kPollMs = 250;
constexpr DWORD kReplaceFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring ProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return L"";
    if (n < buffer.size()) break;
    buffer.resize(buffer.size() * 2);
  }
  std::wstring path(buffer.data());
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

bool IsUpdateCommand(const wchar_t* commandLine) {
  std::wstring s = commandLine ? commandLine : L"";
  size_t first = s.find_first_not_of(L" \t\"");
  size_t last = s.find_last_not_of(L" \t\"");
  if (first == std::wstring::npos) return false;
  return lstrcmpiW(s.substr(first, last - first + 1).c_str(), kUpdateCommand) == 0;
}

// brova has ended when its frame is gone and its program file can be opened
// for writing with no sharing, which fails while the image is mapped.
bool HasBrovaEnded(const std::wstring& program) {
  if (FindWindowA(nullptr, frame_msg::kFrameTitle)) return false;
  win::Handle h(CreateFileW(program.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  return h || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool WaitForBrovaToEnd(const std::wstring& program) {
  for (DWORD waited = 0; waited < kWaitLimitMs; waited += kPollMs) {
    if (HasBrovaEnded(program)) return true;
    Sleep(kPollMs);
  }
  return HasBrovaEnded(program);
}

bool SameContent(const std::wstring& a, const std::wstring& b) {
  win::Handle ha(CreateFileW(a.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  win::Handle hb(CreateFileW(b.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  bool same = ha && hb;
  std::vector<char> bufA(65536), bufB(65536);
  while (same) {
    DWORD na = 0, nb = 0;
    if (!ReadFile(ha, bufA.data(), 65536, &na, nullptr) || !ReadFile(hb, bufB.data(), 65536, &nb, nullptr) ||
        na != nb || memcmp(bufA.data(), bufB.data(), na) != 0) {
      same = false;
    } else if (na == 0) {
      break;
    }
  }
  return same;
}

// The whole file when it exists and holds at most limit bytes.
bool ReadWhole(const std::wstring& path, size_t limit, std::string& out) {
  out.clear();
  win::Handle h(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size{};
  if (!h || !GetFileSizeEx(h, &size) || size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > limit)
    return false;
  out.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < out.size()) {
    DWORD n = 0;
    if (!ReadFile(h, &out[done], static_cast<DWORD>(out.size() - done), &n, nullptr) || n == 0) return false;
    done += n;
  }
  return true;
}

bool IsWholeProgram(const std::wstring& path) {
  std::string bytes;
  return ReadWhole(path, kMaxProgramImageBytes, bytes) && IsWholeX64Image(bytes);
}

// A copy that is on the disk, not only in the cache, and equal to its source.
bool CopyToDisk(const std::wstring& from, const std::wstring& to) {
  if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) return false;
  SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
  bool flushed;
  {
    win::Handle h(CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) return false;
    flushed = FlushFileBuffers(h) != 0;
  }
  return flushed && SameContent(from, to);
}

// What an interrupted earlier run may have left: a missing program file is
// restored from the backup; otherwise the leftovers go.
void RecoverFromEarlierRun(const std::wstring& folder) {
  std::wstring program = folder + kProgramName, backup = folder + kBackupName;
  if (!Exists(program) && Exists(backup)) MoveFileExW(backup.c_str(), program.c_str(), MOVEFILE_WRITE_THROUGH);
  DeleteFileW((folder + kIncomingName).c_str());
  if (Exists(program)) DeleteFileW(backup.c_str());
}

// The new file is copied beside the old one and moved over it in one step;
// the old one is kept as a backup until the program file is checked.
bool ReplaceProgram(const std::wstring& folder) {
  std::wstring program = folder + kProgramName, staged = folder + kStagedName;
  std::wstring incoming = folder + kIncomingName, backup = folder + kBackupName;
  if (!CopyToDisk(staged, incoming) || !CopyToDisk(program, backup) ||
      !MoveFileExW(incoming.c_str(), program.c_str(), kReplaceFlags)) {
    DeleteFileW(incoming.c_str());
    DeleteFileW(backup.c_str());
    return false;
  }
  if (!SameContent(staged, program)) {
    if (CopyToDisk(backup, incoming) && MoveFileExW(incoming.c_str(), program.c_str(), kReplaceFlags))
      DeleteFileW(backup.c_str());
    return false;
  }
  DeleteFileW(backup.c_str());
  return true;
}

}  // namespace

// Exit codes: 0 replaced (or nothing new staged), 1 failed, 2 not asked to update.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  if (!IsUpdateCommand(commandLine)) return 2;
  std::wstring folder = ProgramFolder();
  if (folder.empty() || !SetCurrentDirectoryW(folder.c_str())) return 1;
  RecoverFromEarlierRun(folder);
  if (!WaitForBrovaToEnd(folder + kProgramName)) return 1;
  std::wstring staged = folder + kStagedName;
  if (!Exists(staged) || SameContent(staged, folder + kProgramName)) return 0;
  if (!IsWholeProgram(staged)) {
    DeleteFileW(staged.c_str());
    return 1;
  }
  return ReplaceProgram(folder) ? 0 : 1;
}
