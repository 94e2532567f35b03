// The monitors as the virtual screen sees them.  With several monitors a
// page of the virtual screen is the rectangle that bounds them all, so that
// every monitor shows its share of the same page; with one it is that
// monitor.  Coordinates are the screen's, which may be negative left of or
// above the primary monitor.
#pragma once
#include <vector>

namespace core {

struct Rect {
  int left, top, right, bottom;
};

struct Point {
  int x, y;
};

struct Monitor {
  Rect area;
  bool primary;
  // Its work area: the monitor less the taskbar and the app bars the shell
  // knows of; empty where it is not known (the whole monitor then).
  Rect work = {0, 0, 0, 0};
};

// A monitor's work area, or the whole monitor where that is not known.
Rect WorkArea(const Monitor& monitor);

// The page: the rectangle that bounds every monitor; empty without any.
Rect PageOf(const std::vector<Monitor>& monitors);

// Whether a rectangle shares at least one pixel with some monitor.
bool MeetsAnyMonitor(const Rect& r, const std::vector<Monitor>& monitors);

// The monitor an edge bar docks on: for the horizontal bar one whose bottom
// is the arrangement's bottom edge, for the vertical bar one whose right is
// its right edge, so that no bar stands on an edge between two monitors;
// the primary monitor wherever it is one of them.  -1 without monitors.
int BarMonitor(const std::vector<Monitor>& monitors, bool horizontal);

// The strip of `thickness` along a monitor's bottom (horizontal) or right edge.
Rect BarStrip(const Rect& monitor, bool horizontal, int thickness);

// A length given for 96 DPI at `dpi`, rounded; 96 where the DPI is unknown.
int ScaleToDpi(int pixelsAt96, int dpi);

}  // namespace core
