// Bringing windows onto the screen: all of them (gather windows), or the
// pinned ones, which must never stay lost off it.  Both move a window by
// whole pages where it lies on the virtual screen, else to the nearest place
// on the screen (core/screen.h).
#pragma once
#include <windows.h>

#include "core/screen.h"
#include "core/vscreen.h"

class CEdgeBar;

// The screen as the user sees it now: the monitors, with the edge bars where
// they stand.
core::Screen CurrentScreen();
// The work area of the monitor the user is in: the active window's, or the
// primary's.  The overview and the page indicator show there.
core::Rect ActiveWorkArea();

// The view as the bars hold it, in screen coordinates: the page the screen
// shows, and the whole virtual screen around it.
struct ViewArea {
  core::Rect page, space;
};
ViewArea ViewAreaOf(const CEdgeBar& horizontal, const CEdgeBar& vertical);
// The page the view shows (core::CurrentPage) as the bars hold it.
core::ViewPage CurrentPageOf(const CEdgeBar& horizontal, const CEdgeBar& vertical);

// Every window of the view that is off the screen comes onto it.
void GatherWindows(const CEdgeBar& horizontal, const CEdgeBar& vertical);
// Every pinned window, and every window that a pinned one owns, that is off
// the screen comes onto it: a pinned window stays where it is on the screen
// while the view moves, so one pinned off it would be lost.
void BringPinnedOntoScreen(const CEdgeBar& horizontal, const CEdgeBar& vertical);
// Pins a window, or unpins it; pinned, it comes onto the screen.
void TogglePin(HWND hwnd, const CEdgeBar& horizontal, const CEdgeBar& vertical);
