#include "assistant/win/ShutdownWatch.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "common/File.h"
#include "common/win/MinuteTurn.h"
#include "win/Handles.h"

namespace {
const char kMarkerVariable[] = "BROVA_TEST_SHUTDOWN_MARKER";
// The longest sleep of the watch: the timer counts elapsed time, the clock may drift from it.
constexpr int kMaxWaitMinutes = 180;

LocalMinute Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return LocalMinute{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute};
}

bool EnableShutdownPrivilege() {
  win::Handle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive())) return false;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) return false;
  AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  return GetLastError() == ERROR_SUCCESS;
}
}  // namespace

void ShutDownComputer() {
  const char* marker = std::getenv(kMarkerVariable);
  if (marker && *marker) {
    file::WriteAtomic(marker, "shutdown");
    return;
  }
  EnableShutdownPrivilege();
  ExitWindowsEx(EWX_SHUTDOWN | EWX_POWEROFF, SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_FLAG_PLANNED);
}

CShutdownWatch::CShutdownWatch(std::function<void()> shutDown, int seconds)
    : shutDown_(std::move(shutDown)), seconds_(seconds) {}
CShutdownWatch::~CShutdownWatch() = default;

void CShutdownWatch::Start(HWND owner, UINT_PTR timerId) {
  owner_ = owner;
  timerId_ = timerId;
}

void CShutdownWatch::Arm(const ShutdownSettings& settings, const LocalMinute& now) {
  if (!owner_) return;
  int ahead = CShutdownSchedule::MinutesToNext(settings, now);
  if (ahead == 0) {
    KillTimer(owner_, timerId_);
    return;
  }
  SetMinuteTurnTimer(owner_, timerId_, std::min(ahead, kMaxWaitMinutes));
}

void CShutdownWatch::Check(const ShutdownSettings& settings) {
  const LocalMinute now = Now();
  Check(settings, now);
  Arm(settings, now);
}

void CShutdownWatch::Check(const ShutdownSettings& settings, const LocalMinute& now) {
  // The countdown goes with its window and timer: the computer keeps running.
  if (Counting() && !(settings.armed && settings.hour == countingFor_.hour && settings.minute == countingFor_.minute))
    prompt_.reset();
  if (!owner_ || !schedule_.Due(settings, now)) return;
  prompt_ = std::make_unique<CShutdownPromptDlg>(shutDown_, seconds_);
  countingFor_ = settings;
  if (!prompt_->Open(owner_)) prompt_.reset();
}

bool CShutdownWatch::Counting() const { return prompt_ && prompt_->hwnd() && IsWindowVisible(prompt_->hwnd()); }
