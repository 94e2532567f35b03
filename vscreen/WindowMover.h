// Moving every titled, non-minimised top-level window along one axis.
#pragma once
#include <windows.h>

#include "core/screen.h"

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
// Limits what the scrolls from now on wait for other threads to `ms` in all
// (0: they wait for none, as at the end of the Windows session, when every
// program is busy ending); INFINITE puts back the usual wait of each scroll.
void LimitWaits(DWORD ms);

// Where a window stands once the move on its way is taken (where it stands
// without one), in screen coordinates; false for no window.
bool PlannedRect(HWND hwnd, core::Rect& rect);

// Brings onto the screen (core::PlaceOnScreen) every window of the view for
// which `which` holds, or every one when it is null; `page` is the page the
// view shows and `space` the whole virtual screen, in screen coordinates.
void BringOntoScreen(const core::Screen& screen, const core::Rect& page, const core::Rect& space,
                     bool (*which)(HWND) = nullptr);

// While set, scrolls leave this window, and the windows it owns, where they
// stand: a window carried by its user across the edge of the screen.
void SetCarriedWindow(HWND hwnd);

// Asks a window to go to (x, y) on the screen, never waiting for its thread.
void MoveWindowTo(HWND hwnd, int x, int y);

// Drops the pending moves of windows that arrived or were destroyed; each
// scroll does so first.  The main window's timer also asks the windows'
// threads, once per thread, and drops the moves of windows put elsewhere or
// left where they were for long while their thread answered.
void ForgetFinishedMoves(bool askOwners = false);
// How many moves of other threads' windows are still on their way.
size_t PendingMoveCount();
