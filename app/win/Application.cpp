#include "app/win/Application.h"

#include <windows.h>
#include <shellapi.h>

#include "app/win/MainFrame.h"
#include "app/win/Messages.h"
#include "common/FolderPath.h"
#include "common/Text.h"
#include "common/win/ProgramFolder.h"
#include "common/win/SharedGdi.h"
#include "online/UpdateWorker.h"
#include "win/App.h"
#include "win/MessageBox.h"

namespace {

constexpr char kUpdaterName[] = "upkit.exe";
constexpr wchar_t kUpdaterCommand[] = L"update";

// The updater waits for this process to end, then puts the staged program
// file in place of brova.exe; the user ended the program, so it stays ended.
void StartUpdaterIfStaged() {
  std::string folder = ProgramFolder();
  if (folder.empty() || !IsNewVersionStaged(folder)) return;
  std::wstring updater = text::Widen(folder + kUpdaterName), directory = text::Widen(folder);
  ShellExecuteW(nullptr, L"open", updater.c_str(), kUpdaterCommand, directory.c_str(), SW_SHOWNORMAL);
}

}  // namespace

CTest2App::CTest2App() = default;
CTest2App::~CTest2App() = default;

bool CTest2App::InitInstance() {
  if (FindWindowW(nullptr, kFrameTitle)) {
    win::ShowMessage("程序己在运行中", MB_OK);
    return false;
  }
  EnterProgramFolder();
  MakeFolderPath(ProgramFolder() + "data\\");

  shared_gdi::Create();

  frame_ = std::make_unique<CMainFrame>();
  win::App::SetMainWindow(frame_.get());
  return frame_->CreateFrame();
}

int CTest2App::Run() { return win::App::Run(); }

int CTest2App::ExitInstance(int code) {
  // Only the copy that ran updates: a second copy that was refused must not
  // replace the program under the first.
  bool ran = frame_ != nullptr;
  win::App::SetMainWindow(nullptr);
  frame_.reset();
  if (ran) StartUpdaterIfStaged();
  return code;
}
