// Resource and command identifiers of QovMouse.
#pragma once

#define IDD_QOVMOUSE_DIALOG 102
#define IDR_MAINFRAME 128
#define IDS_EXIT 200
