// Edge push: the view pages when the pointer rests against an outer edge of
// the screen, as a page key does; and a window dragged there, or over one of
// the program's bars, is carried to the next page.
#pragma once
#include <cstdint>
#include <vector>

#include "core/display.h"

namespace core {

enum class Edge { kNone, kLeft, kTop, kRight, kBottom };

// The pixels at each end of an edge that do not count: aiming at a corner
// (a close box, the Start button) must not page the view.
constexpr int kEdgeCornerPixels = 8;

// The edge the pointer rests against: it stands in the outermost pixel row
// or column of its monitor, not within kEdgeCornerPixels of that monitor's
// corners, on an edge that is an outer edge of the arrangement (no monitor
// beyond it) and that no strip in `docked` (the taskbar, the program's bars)
// stands along.  Those edges are served by the bars and the taskbar.
Edge PushEdgeAt(Point pointer, const std::vector<Monitor>& monitors,
                const std::vector<Rect>& docked);

// Whether the pointer is within `distance` pixels of an edge of the monitor
// it is on, or of one of `bars`: only there can a push begin, so only there
// is the pointer looked at often.
bool NearAnEdge(Point pointer, const std::vector<Monitor>& monitors, const std::vector<Rect>& bars,
                int distance);

// The edge a bar stands for while a window is carried over it: the bar at
// the bottom pages down, the one at the right pages right.
Edge EdgeOfBar(const Rect& bar);

// Counts how long the pointer rests against one edge.  Sliding along the
// edge keeps the time running; leaving it starts again.  After a push the
// time starts again too: a further page needs the pointer to leave and come
// back, or to rest the whole time once more.  Times are milliseconds of a
// wrapping tick count.
class EdgeDwell {
 public:
  // One look at the pointer at `now`; the edge to push now, or kNone.
  Edge Look(std::uint32_t now, Edge edge, int restMs);
  void Reset() { m_edge = Edge::kNone; }

 private:
  Edge m_edge = Edge::kNone;
  std::uint32_t m_since = 0;
};

// Whether a window fills its monitor: a game, a slide show.  The view does
// not move under it.
bool FillsMonitor(const Rect& window, const std::vector<Monitor>& monitors);

}  // namespace core
