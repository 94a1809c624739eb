#include "app/win/Test2App.h"

#include <windows.h>
#include <commctrl.h>

#include "app/FolderPath.h"
#include "app/win/MainFrame.h"
#include "app/win/Messages.h"
#include "app/win/ProgramFolder.h"
#include "common/win/SharedGdi.h"
#include "win/App.h"
#include "win/MessageBox.h"

CTest2App::CTest2App() = default;
CTest2App::~CTest2App() = default;

bool CTest2App::InitInstance() {
  if (FindWindowW(nullptr, kFrameTitle)) {
    win::ShowMessage("程序己在运行中", MB_OK);
    return false;
  }
  EnterProgramFolder();
  MakeFolderPath(ProgramFolder() + "data\\");

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  shared_gdi::Create();

  frame_ = std::make_unique<CMainFrame>();
  win::App::SetMainWindow(frame_.get());
  if (!frame_->CreateFrame()) return false;
  SetWindowTextW(frame_->hwnd(), kFrameTitle);
  return true;
}

int CTest2App::Run() { return win::App::Run(); }

int CTest2App::ExitInstance(int code) {
  win::App::SetMainWindow(nullptr);
  frame_.reset();
  return code;
}
