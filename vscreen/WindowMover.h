// Moving every titled, non-minimised top-level window along one axis.
#pragma once
#include <windows.h>

// Set by an axis's scroll operation just before it enumerates the windows.
extern int g_nMoveOffsetX;  // positive moves windows right
extern int g_nMoveOffsetY;  // positive moves windows down
// 1: the desktop icon window moves in place of the "Program Manager" window.
extern int g_bMoveDesktopIconsX;
extern int g_bMoveDesktopIconsY;
// The title of the window being examined.
extern char g_szTitleX[256];
extern char g_szTitleY[256];

// EnumWindows procedures of the two axes; they always go on to the end.
BOOL CALLBACK MoveWindowProcX(HWND hwnd, LPARAM);
BOOL CALLBACK MoveWindowProcY(HWND hwnd, LPARAM);

// Drops the pending moves of windows that arrived or were destroyed; each
// scroll does so first.  The main window's timer also asks the windows'
// threads, and drops the moves of those that answer.
void ForgetFinishedMoves(bool askOwners = false);
// How many moves of other threads' windows are still on their way.
size_t PendingMoveCount();
