// Resource, control and command ids of Uninstall.exe.
#pragma once

#define IDD_UNINSTALL_ABOUT 100
#define IDS_UNINSTALL_ABOUT 101  // the system menu's about item
#define IDD_UNINSTALL 102
#define IDI_UNINSTALL 128  // program icon

// Controls
#define IDC_UNINSTALL_QUESTION 1001
#define IDC_ADMIN_HELP 1002

// System-menu command of the about box; the system reserves the low four
// bits, so 16 to 31 all mean it.
#define IDM_UNINSTALL_ABOUT 0x0010
