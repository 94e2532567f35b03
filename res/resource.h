// Resource and command identifiers of QovDesktop.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_QOVDESKTOP_DIALOG 102
#define IDR_MAINFRAME 128

// Texts of the string table, in each interface language.
#define IDS_APP_TITLE 200
#define IDS_MENU_EXIT 201
#define IDS_MENU_CLOSE 202
#define IDS_MENU_SETTINGS 203
#define IDS_MENU_JUMP 204
#define IDS_MENU_RESOURCES 205
#define IDS_MENU_SCREENSAVER 206
#define IDS_MENU_CLOSE_FOLDERS 207
#define IDS_MENU_CLOSE_BROWSERS 208
#define IDS_MENU_CLOSE_ALL 209
#define IDS_SETTINGS_CAPTION 210
#define IDS_SETTINGS_NOTICE 211
#define IDS_SAVER_FILTER 212
#define IDS_DRIVE_COLUMN 213
#define IDS_FREE_COLUMN 214
#define IDS_TOTAL_COLUMN 215
#define IDS_README_FILE 216

// The Help button; the same id as the standard help command.
#define ID_HELP 0xE146

// System-menu commands of the main window.
#define ID_SYS_ABOUT 16
#define ID_SYS_SETTINGS 101
#define ID_SYS_JUMP 102
#define ID_SYS_RESOURCES 103
#define ID_SYS_SCREENSAVER 104
#define ID_SYS_CLOSE_FOLDERS 105
#define ID_SYS_CLOSE_BROWSERS 106
#define ID_SYS_CLOSE_ALL 107
#define ID_SYS_GATHER 108
#define ID_SYS_OVERVIEW 109
// Commands on no menu: the view's keys and the command line reach them.
#define ID_CMD_PAGE_LEFT 120
#define ID_CMD_PAGE_RIGHT 121
#define ID_CMD_PAGE_UP 122
#define ID_CMD_PAGE_DOWN 123
#define ID_CMD_HOME 124
#define ID_CMD_PIN 125
// Its argument is the page, MAKELPARAM(column, row) counted from 1.
#define ID_CMD_PAGE_AT 126

// The edge bars and their scroll bars.
#define IDD_VERTICAL_BAR 129
#define IDD_HORIZONTAL_BAR 132
#define IDC_VERTICAL_SCROLLBAR 1000
#define IDC_HORIZONTAL_SCROLLBAR 1007

// The resource display: drives and memory.
#define IDD_RESOURCE_DIALOG 133
#define IDC_DRIVE_LIST 1002
#define IDC_PHYSICAL_TOTAL 1003
#define IDC_PHYSICAL_FREE 1004
#define IDC_VIRTUAL_FREE 1005
#define IDC_VIRTUAL_TOTAL 1006

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The settings sheet's pages and the folder dialog.
#define IDD_DESKTOP_SETTING 134
#define IDD_DESIGN_SETTING 135
#define IDD_WALLPAPER_SETTING 136
#define IDD_WALLPAPER_DIR 137
#define IDD_OVERVIEW 140
#define IDD_VIEWKEYS_SETTING 141
// The view's hot keys: one control of each kind a command, in command order.
#define IDC_VIEWKEY_FIRST 1100
#define IDC_VIEWKEY_WIN_FIRST 1110
#define IDC_VIEWKEY_TAKEN_FIRST 1120
#define IDC_PINNED_PROGRAMS 1130
#define IDS_KEY_TAKEN 230
#define IDS_KEYS_TAKEN_NOTICE 231
#define IDS_MENU_OVERVIEW 232
#define IDS_MENU_GATHER 233
#define IDS_KEY_GIVEN_TWICE 234
// The commands of the view's hot keys, in command order, for the notice.
#define IDS_VIEWKEY_NAME_FIRST 240
#define IDS_WOW64_NOTICE 250
#define IDC_HEIGHT_EDIT 1002
#define IDC_WIDTH_EDIT 1003
#define IDC_HEIGHT_SPIN 1006
#define IDC_WIDTH_SPIN 1007
#define IDC_MOVE_AUTO 1008
#define IDC_FINE_FIRST 1009
#define IDC_MOVE_DESKTOP_ICONS 1015
#define IDC_LARGE_ICONS 1009
#define IDC_SMALL_ICONS 1010
#define IDC_SCREEN_SAVER_EDIT 1011
#define IDC_SCREEN_SAVER_BROWSE 1012
#define IDC_WALLPAPER_DIR_EDIT 1013
#define IDC_WALLPAPER_DIR_BROWSE 1014
#define IDC_INTERVAL_EDIT 1016
#define IDC_INTERVAL_SPIN 1017
#define IDC_WALLPAPER_ON 1018
#define IDC_FOLDER_TREE 1046

// The settings page of what the program has beyond its first design: the
// notification-area icon, starting with Windows, pushing the view at the
// screen's edges and the page indicator.
#define IDD_OTHER_SETTING 142
#define IDC_NOTIFY_ICON 1140
#define IDC_START_WITH_WINDOWS 1141
#define IDC_EDGE_PUSH 1142
#define IDC_EDGE_PUSH_TIME 1143
#define IDC_EDGE_PUSH_DRAGGING 1144
#define IDC_PAGE_INDICATOR 1145
// The command line's usage, the icon's tooltip, and the indicator's notes.
#define IDS_USAGE 260
#define IDS_TIP_FORMAT 261
#define IDS_PINNED 262
#define IDS_UNPINNED 263
