// Resource and control ids of the management center "Tolvana".
#pragma once

#define IDD_CENTER 147

#define IDC_CENTER_SEARCH 1008     // "查询"
#define IDC_CENTER_EXIT 1017       // "退出程序", hidden
#define IDC_CENTER_PLANS 1020      // "订制计划"
#define IDC_CENTER_CALENDAR 1019   // "查看日历"
#define IDC_CENTER_LEDGER 1024     // "计账管理"
#define IDC_CENTER_TOOLS 1025      // "系统辅助": the TOOL menu
#define IDC_CENTER_SHUTDOWN 1027   // "自动关机"
#define IDC_CENTER_ABOUT 1028      // "关于软件"
#define IDC_CENTER_SETTINGS 1029   // "参数设置"
#define IDC_CENTER_SCANNER 1030    // "查杀木马"
#define IDC_CENTER_SEARCH_BOX 1039
