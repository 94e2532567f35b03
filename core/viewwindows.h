// Which top-level windows belong to the view.  One rule, narrowed in one
// visible place: the windows a scroll moves, and of them the windows of the
// view that the overview shows, gather and the pins bring onto the screen,
// and that count as a program filling its monitor.
#pragma once
#include <string_view>

namespace core {

// What the program reads of a top-level window to decide.
struct WindowFacts {
  bool titled = false;
  bool minimised = false;
  bool visible = false;
  bool shellDesktop = false;  // the shell's desktop window (IsShellDesktopClass), or the system's
  bool cloaked = false;       // kept out of sight by the system (DWMWA_CLOAKED non-zero)
  bool ours = false;          // a window of this package's programs
};

// The windows a scroll moves: titled and not minimised, hidden ones too (they
// keep their places on the virtual screen for when they show again).  The
// mover leaves out pinned windows, and moves the desktop's icons in place of
// the desktop when asked to.
bool MovedByScroll(const WindowFacts& window);

// The windows of the view, which a user sees as programs' windows: those a
// scroll moves that are visible, not the shell's desktop (which stands
// screen-sized under all others, titled, on every Windows), not cloaked (the
// shell's Start and Search, windows of Windows' other desktops, suspended
// store apps) and not this package's.
bool OfTheView(const WindowFacts& window);

// The classes of the shell's desktop: "Progman" and the "WorkerW" that takes
// its place behind the icons, in any case.
bool IsShellDesktopClass(std::string_view className);

}  // namespace core
