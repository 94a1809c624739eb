// Resource and control ids of the capture windows: the picking prompt, the
// capture result window with its image view, the hot-key picker and the
// capture settings page.
#pragma once
#include "resources/app_ids.h"

#define IDD_PICK_PROMPT 136
#define IDD_CAPTURE_RESULT 137
#define IDD_SNAPSHOT_VIEW 145
#define IDD_HOTKEY_PICKER 146
#define IDD_CAPTURE_SETTINGS 158

// Picking prompt
#define IDC_PROMPT_TEXT 1004

// Capture settings page (the capture buttons 1009-1011 are those of app_ids.h)
#define IDC_TO_CLIPBOARD 1005
#define IDC_TO_FILE 1006
#define IDC_SAVE_FOLDER 1007
#define IDC_BROWSE 1008
#define IDC_SAVE_SETTINGS 1015
#define IDC_CAPTURE_FORMAT 1050
#define IDC_JPEG_QUALITY 1051
#define IDC_CAPTURE_SCREENS 1052
#define IDC_CAPTURE_DELAY 1053

// Hot-key picker
#define IDC_PICKER_CTRL 1012
#define IDC_PICKER_ALT 1014
#define IDC_PICKER_SHIFT 1015
#define IDC_PICKER_KEY 1016

// Capture result window (buttons 1009-1011 and 1017 as in app_ids.h)
#define IDC_INFO_LINE 1013
#define IDC_EDIT_PICTURE 1101
#define IDC_PIN_PICTURE 1102
#define IDC_SAVE_AS 1103
