// Resource, control and command ids of the calendar, the plan manager, the
// plan editor and the reminder prompt.
#pragma once

#define IDD_PLAN_PROMPT 131
#define IDD_CALENDAR 132
#define IDD_MISSED_PLANS 133
#define IDD_PLAN_MANAGER 149
#define IDD_PLAN_EDIT 150

// Calendar
#define IDC_CAL_MONTH_LIST 1002
#define IDC_CAL_MONTH_BACK 1007
#define IDC_CAL_MONTH_FORWARD 1008
#define IDC_CAL_YEAR_BACK 1009
#define IDC_CAL_PLANS 1010
#define IDC_CAL_YEAR_FORWARD 1011
#define IDC_CAL_GRID 1017
#define IDC_CAL_YEAR_LIST 1024
#define IDC_CAL_DETAIL 1100
#define IDC_CAL_SHOW_HOLIDAYS 1101

// Plan manager
#define IDC_PLAN_TIME_VIEW 1009
#define IDC_PLAN_ADD 1018
#define IDC_PLAN_CHANGE 1019
#define IDC_PLAN_DELETE 1020
#define IDC_PLAN_OLD_VERSION 1021
#define IDC_PLAN_LIST 1022
#define IDC_PLAN_CONTENT_VIEW 1023

// Plan editor
#define IDC_EDIT_MONTH 1002
#define IDC_EDIT_DAY 1003
#define IDC_EDIT_HOUR 1004
#define IDC_EDIT_MINUTE 1005
#define IDC_EDIT_CONTENT 1007
#define IDC_EDIT_SAVE 1015
#define IDC_EDIT_YEAR 1024
#define IDC_EDIT_REPEAT 1030
#define IDC_EDIT_REPEAT_TEXT 1031
#define IDC_EDIT_WEEKDAY_MON 1032  // to IDC_EDIT_WEEKDAY_MON + 6, Sunday
#define IDC_EDIT_LEAP_MONTH 1039
#define IDC_EDIT_END 1040
#define IDC_EDIT_END_LABEL 1041
#define IDC_EDIT_END_HINT 1042

// Reminder prompt
#define IDC_PROMPT_CONFIRM 1000
#define IDC_PROMPT_SNOOZE 1001

// Missed reminders
#define IDC_MISSED_LABEL 1050
#define IDC_MISSED_LIST 1051
#define IDC_MISSED_SNOOZE 1052
#define IDC_MISSED_LATER 1053
#define IDC_MISSED_DISMISS 1054

// Frame commands that open the calendar and the plan manager (the
// management center's "查看日历" and "订制计划" post them too).
#define ID_SHOW_CALENDAR 33100
#define ID_SHOW_PLAN_MANAGER 33101
