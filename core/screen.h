// What the user can see of the screen, and how a window is brought onto it.
// One rule for every part of the program that asks (pins, gather, the
// overview, the end): a window is on the screen when it meets the work area
// of some monitor less the strips of the program's edge bars.  The bars are
// taken out here because some shells (Wine's) never shrink the work area for
// app bars, and a window under a bar is as good as lost.
#pragma once
#include <vector>

#include "core/display.h"

namespace core {

struct Screen {
  std::vector<Monitor> monitors;
  std::vector<Rect> bars;  // where the edge bars stand; empty ones are none
};

// The part of a monitor a window can be seen in: its work area with each bar
// that meets it cut off on the side where the bar stands (a wide bar at the
// bottom or top, a tall one at the right or left).  Empty when nothing is left.
Rect UsableArea(const Monitor& monitor, const std::vector<Rect>& bars);

bool OnScreen(const Rect& window, const Screen& screen);

// The top-left corner of the nearest place on the nearest monitor's usable
// area where the window lies whole, or starts at its left or top edge where
// it is wider or taller.  Where it stands, without any monitor.
Point NearestOnScreen(const Rect& window, const Screen& screen);

// Where a window goes when it is brought onto the screen: nowhere when it is
// on it; one whose top-left corner lies on the virtual screen `space` moves
// by whole pages of `page` (the page the view shows), so that it keeps its
// place within its page; one still off the screen then (beyond the virtual
// screen, in a gap that no monitor shows, under a bar) goes to the nearest
// place on the screen.  The result is its new top-left corner.
Point PlaceOnScreen(const Rect& window, const Screen& screen, const Rect& page, const Rect& space);

// The monitor a window is shown on: the one it shares the most pixels with;
// the primary where it meets none.  -1 without monitors.
int MonitorOf(const Rect& window, const std::vector<Monitor>& monitors);

}  // namespace core
