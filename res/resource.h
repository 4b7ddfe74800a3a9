// Resource ids of scourix. Shared by scourix.rc and the C++ sources, so it holds
// nothing but #define lines.

// Dialogs, menus, strings, icons and bitmaps
#define IDD_ABOUT 100
#define IDS_ABOUT_ITEM 101
#define IDD_MAIN 102
#define IDI_APP 128
#define IDD_DISK_PAGE 129
#define IDD_TRACE_PAGE 130
#define IDD_OPTIONS_PAGE 131
#define IDB_CHECK_BOXES 132
#define IDB_FOLDERS 133
#define IDD_RESULT_LIST 134
#define IDD_RULES_PAGE 135
#define IDD_RULE_EDIT 136
#define IDR_TRAY_MENU 139
// The check tree's pictures for 120, 144 and 192 DPI (132 and 133 are for 96 DPI)
#define IDB_CHECK_BOXES_120 160
#define IDB_FOLDERS_120 161
#define IDB_CHECK_BOXES_144 162
#define IDB_FOLDERS_144 163
#define IDB_CHECK_BOXES_192 164
#define IDB_FOLDERS_192 165

// System-menu command of the about item (the system keeps the low four bits)
#define IDM_ABOUT_BOX 0x0010

// Main window (102)
#define IDC_MAIN_TABS 1000

// Disk cleaning page (129)
#define IDC_DISK_TREE 1001
#define IDC_DISK_PROGRESS 1002
#define IDC_DISK_START 1003
#define IDC_DISK_PATH 1004
#define IDC_DISK_SELECT_ALL 1005
#define IDC_DISK_SELECT_NONE 1006
#define IDC_DISK_LINK 1019
#define IDC_DISK_EMAIL 1020

// Trace cleaning page (130)
#define IDC_TRACE_TREE 1001
#define IDC_TRACE_PROGRESS 1002
#define IDC_TRACE_PATH 1004
#define IDC_TRACE_DESCRIPTION 1005
#define IDC_TRACE_SELECT_ALL 1006
#define IDC_TRACE_SELECT_NONE 1007
#define IDC_TRACE_START 1008

// Options page (131)
#define IDC_OPT_SELECT_NONE 1004
#define IDC_OPT_SAVE 1005
#define IDC_OPT_SELECT_ALL 1006
#define IDC_OPT_DEFAULTS 1009
#define IDC_OPT_TEMP 1010
#define IDC_OPT_BACKUP 1011
#define IDC_OPT_SETUP 1012
#define IDC_OPT_HELP 1013
#define IDC_OPT_GROUP 1044
#define IDC_OPT_SYSTEM_LOG 1045
#define IDC_OPT_CPY 1046
#define IDC_OPT_CPP_BUILDER 1047
#define IDC_OPT_DESCRIPTION_GROUP 1049
#define IDC_OPT_VISUAL_CPP 1051
#define IDC_OPT_DESCRIPTION 1052
#define IDC_OPT_LOG_TXT 1071
#define IDC_OPT_CUSTOM_RULES 1072
#define IDC_OPT_GARBAGE 1081
#define IDC_OPT_EMPTY 1082
#define IDC_OPT_RECYCLE 1090

// Result list window (134)
#define IDC_RESULT_TREE 1001
#define IDC_RESULT_SELECT_ALL 1005
#define IDC_RESULT_SELECT_NONE 1006
#define IDC_RESULT_VIEW 1011
#define IDC_RESULT_DELETE 1012
#define IDC_RESULT_STATUS 1013

// Rules page (135)
#define IDC_RULES_LIST 1012
#define IDC_RULES_ADD 1013
#define IDC_RULES_DELETE 1014
#define IDC_RULES_MODIFY 1015
#define IDC_RULES_IMPORT 1016
#define IDC_RULES_EXPORT 1017
#define IDC_RULES_CLEAR 1018

// Rule editor (136)
#define IDC_EDIT_DESCRIPTION 1005
#define IDC_EDIT_PATTERN 1014
#define IDC_EDIT_ENABLED 1016
#define IDC_EDIT_MODE 1017

// Tray menu (139)
#define ID_TRAY_TOGGLE 32771
#define ID_TRAY_ABOUT 32772
#define ID_TRAY_EXIT 32773
#define ID_TRAY_DISK 32774
#define ID_TRAY_TRACE 32775
#define ID_TRAY_RULES 32776
#define ID_TRAY_OPTIONS 32777
