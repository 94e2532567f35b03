// Resource and command identifiers of QovDesktop.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_QOVDESKTOP_DIALOG 102
#define IDR_MAINFRAME 128

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

// The edge bars and their scroll bars.
#define IDD_VERTICAL_BAR 129
#define IDD_HORIZONTAL_BAR 132
#define IDC_VERTICAL_SCROLLBAR 1000
#define IDC_HORIZONTAL_SCROLLBAR 1007
