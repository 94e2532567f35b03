// Moving every titled, non-minimised top-level window along one axis.
#pragma once
#include <windows.h>

#include "core/display.h"

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

// After a scroll's enumeration: waits at most once for each thread whose
// windows it asked to move (never for one whose windows all still have
// moves on their way), then keeps as pending every move not yet seen done.
void FinishMoves();
// Whether scrolls wait for other threads at all; not while the Windows
// session ends.
void SetWaitForThreads(bool wait);

// Brings every visible, titled, non-minimised, unpinned window of other
// programs that lies wholly outside `screen` onto it (core::GatherPlace);
// `space` is the whole virtual screen, both in screen coordinates.
void GatherWindows(const core::Rect& screen, const core::Rect& space);

// Asks a window to go to (x, y) on the screen, never waiting for its thread.
void MoveWindowTo(HWND hwnd, int x, int y);

// Drops the pending moves of windows that arrived or were destroyed; each
// scroll does so first.  The main window's timer also asks the windows'
// threads, once per thread, and drops the moves of windows put elsewhere or
// left where they were for long while their thread answered.
void ForgetFinishedMoves(bool askOwners = false);
// How many moves of other threads' windows are still on their way.
size_t PendingMoveCount();
