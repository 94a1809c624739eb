// Resource and control ids of the ledger windows: the account login, the
// new-account window, the ledger, the entry editor and the report.
#pragma once

#define IDD_LEDGER 151
#define IDD_LEDGER_ENTRY 152
#define IDD_LEDGER_LOGIN 153
#define IDD_NEW_ACCOUNT 154
#define IDD_LEDGER_REPORT 155

// Login and new account
#define IDC_LOGIN_NEW 1009
#define IDC_LOGIN_DELETE 1010
#define IDC_LOGIN_LIST 1022
#define IDC_LOGIN_ENTER 1028
#define IDC_NEW_ACCOUNT_NAME 1007
#define IDC_NEW_ACCOUNT_CREATE 1009

// Ledger and report: list and the boxes of the clicked row
#define IDC_LEDGER_INFO 1009
#define IDC_LEDGER_REMARK_VIEW 1023
#define IDC_LEDGER_LIST 1025
#define IDC_LEDGER_ADD 1018
#define IDC_LEDGER_CHANGE 1019
#define IDC_LEDGER_DELETE 1020
#define IDC_LEDGER_REPORT 1021

// Entry editor
#define IDC_ENTRY_MONTH 1002
#define IDC_ENTRY_DAY 1003
#define IDC_ENTRY_HOUR 1004
#define IDC_ENTRY_MINUTE 1005
#define IDC_ENTRY_REMARK 1008
#define IDC_ENTRY_SAVE 1015
#define IDC_ENTRY_YEAR 1024
#define IDC_ENTRY_INCOME 1026
#define IDC_ENTRY_EXPENSE 1027
#define IDC_ENTRY_AMOUNT 1029

// Report
#define IDC_REPORT_END_YEAR 1026
#define IDC_REPORT_END_MONTH 1004
#define IDC_REPORT_END_DAY 1005
#define IDC_REPORT_PRESET_RADIO 1030
#define IDC_REPORT_CUSTOM_RADIO 1031
#define IDC_REPORT_SHOW 1032
#define IDC_REPORT_TYPE 1033
#define IDC_REPORT_PRESET 1034
#define IDC_REPORT_START_YEAR 1035
#define IDC_REPORT_START_MONTH 1036
#define IDC_REPORT_START_DAY 1037
#define IDC_REPORT_EXPORT_TXT 1038
#define IDC_REPORT_EXPORT_HTML 1039
