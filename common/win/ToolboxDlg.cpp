#include "common/win/ToolboxDlg.h"

#include "common/win/Palette.h"
#include "resources/app_ids.h"

void CToolboxDlg::InitLook(bool lists) {
  SetIcons(IDR_MAINFRAME);
  SetColors(palette::kText, palette::kPaper, lists);
  CenterOnDesktop();
}

HBRUSH CToolboxDlg::OnCtlColor(HDC dc, HWND control, int type) {
  wchar_t cls[8] = {};
  if (type != CTLCOLOR_STATIC || !GetClassNameW(control, cls, 8) || lstrcmpiW(cls, L"Edit") != 0) return nullptr;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}
