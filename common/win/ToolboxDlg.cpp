#include "common/win/ToolboxDlg.h"

#include "common/win/Palette.h"
#include "resources/app_ids.h"

void CToolboxDlg::InitLook(bool lists) {
  SetIcons(IDR_MAINFRAME);
  SetColors(palette::kText, palette::kPaper, lists);
  CenterOnDesktop();
}
