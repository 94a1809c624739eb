#include "app/win/MainFrame.h"
#include "capture/win/CaptureEngine.h"

void CMainFrame::OnCaptureFullScreen() { capture::RunCaptures(kChoiceFullScreen, hwnd_, captureReady_); }
void CMainFrame::OnCaptureWindow() { capture::RunCaptures(kChoiceWindow, hwnd_, captureReady_); }
void CMainFrame::OnCaptureRegion() { capture::RunCaptures(kChoiceRegion, hwnd_, captureReady_); }
