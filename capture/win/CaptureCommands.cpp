#include "app/win/MainFrame.h"

void CMainFrame::OnCaptureFullScreen() {}
void CMainFrame::OnCaptureWindow() {}
void CMainFrame::OnCaptureRegion() {}
