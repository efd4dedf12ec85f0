#pragma once
// Resource ids of the saver module.

#define IDS_DISPLAY_NAME 1
#define IDS_VERSION 104
#define IDD_ABOUT 103
#define IDM_MAIN 109
#define IDB_BANNER 139
#define IDB_EMBLEM 159
#define IDB_BAR 162
#define IDD_SETTINGS 2003
#define IDM_INFO 40001
#define IDM_EXIT 40002
