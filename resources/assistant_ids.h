// Resource and control ids of the system assistant's windows: the settings
// window and its boss-key, CD-tray and start-up pages, the automatic
// shutdown setting and its countdown.
#pragma once

#define IDD_CD_KEY_PAGE 130
#define IDD_SHUTDOWN_PROMPT 135
#define IDD_STARTUP_PAGE 142
#define IDD_SHUTDOWN 156
#define IDD_BOSS_KEY_PAGE 157
#define IDD_SETTINGS_TAB 161

// Settings window
#define IDC_SETTINGS_TABS 1040

// Boss-key page
#define IDC_BOSS_WINDOW_LIST 1006
#define IDC_BOSS_REFRESH 1007
#define IDC_BOSS_TEST 1008

// Start-up page
#define IDC_STARTUP_RUN 1005
#define IDC_STARTUP_SHOW_CENTER 1006

// Automatic shutdown
#define IDC_SHUTDOWN_HOUR 1004
#define IDC_SHUTDOWN_MINUTE 1005
#define IDC_SHUTDOWN_CANCEL_SETTING 1020
#define IDC_SHUTDOWN_SAVE 1038

// Countdown
#define IDC_PROMPT_COUNTDOWN 1002

// Commands of the frame: open and close the tray of CD drive i.
#define ID_CD_OPEN_FIRST 1224
#define ID_CD_CLOSE_FIRST 1254
