#include "core/edgepush.h"

namespace core {

namespace {

bool Inside(Point p, const Rect& r) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

bool OnAnyMonitor(Point p, const std::vector<Monitor>& monitors) {
  for (const Monitor& m : monitors)
    if (Inside(p, m.area)) return true;
  return false;
}

// Whether a strip stands along an edge of a monitor: it meets the monitor,
// touches that edge, and lies along it rather than across it.
bool DockedAt(const Rect& s, Edge edge, const Rect& m) {
  const bool meets = s.left < m.right && m.left < s.right && s.top < m.bottom && m.top < s.bottom;
  if (!meets || s.right <= s.left || s.bottom <= s.top) return false;
  const bool wide = s.right - s.left >= s.bottom - s.top;
  switch (edge) {
    case Edge::kLeft: return !wide && s.left <= m.left;
    case Edge::kRight: return !wide && s.right >= m.right;
    case Edge::kTop: return wide && s.top <= m.top;
    case Edge::kBottom: return wide && s.bottom >= m.bottom;
    default: return false;
  }
}

}  // namespace

Edge PushEdgeAt(Point p, const std::vector<Monitor>& monitors, const std::vector<Rect>& docked) {
  for (const Monitor& monitor : monitors) {
    const Rect& m = monitor.area;
    if (!Inside(p, m)) continue;
    Edge edge = Edge::kNone;
    Point beyond = p;
    const bool alongX = p.x >= m.left + kEdgeCornerPixels && p.x < m.right - kEdgeCornerPixels;
    const bool alongY = p.y >= m.top + kEdgeCornerPixels && p.y < m.bottom - kEdgeCornerPixels;
    if (p.x == m.left && alongY) edge = Edge::kLeft, --beyond.x;
    else if (p.x == m.right - 1 && alongY) edge = Edge::kRight, ++beyond.x;
    else if (p.y == m.top && alongX) edge = Edge::kTop, --beyond.y;
    else if (p.y == m.bottom - 1 && alongX) edge = Edge::kBottom, ++beyond.y;
    if (edge == Edge::kNone || OnAnyMonitor(beyond, monitors)) return Edge::kNone;
    for (const Rect& strip : docked)
      if (DockedAt(strip, edge, m)) return Edge::kNone;
    return edge;
  }
  return Edge::kNone;
}

bool NearAnEdge(Point p, const std::vector<Monitor>& monitors, const std::vector<Rect>& bars,
                int d) {
  for (const Rect& b : bars)
    if (Inside(p, {b.left - d, b.top - d, b.right + d, b.bottom + d})) return true;
  for (const Monitor& monitor : monitors) {
    const Rect& m = monitor.area;
    if (Inside(p, m) && !Inside(p, {m.left + d, m.top + d, m.right - d, m.bottom - d})) return true;
  }
  return false;
}

Edge EdgeOfBar(const Rect& bar) {
  if (bar.right <= bar.left || bar.bottom <= bar.top) return Edge::kNone;
  return bar.right - bar.left >= bar.bottom - bar.top ? Edge::kBottom : Edge::kRight;
}

Edge EdgeDwell::Look(std::uint32_t now, Edge edge, int restMs) {
  if (edge != m_edge) {
    m_edge = edge;
    m_since = now;
    return Edge::kNone;
  }
  if (edge == Edge::kNone || restMs <= 0 || now - m_since < static_cast<std::uint32_t>(restMs))
    return Edge::kNone;
  m_since = now;  // the next push needs the whole time again
  return edge;
}

bool FillsMonitor(const Rect& w, const std::vector<Monitor>& monitors) {
  for (const Monitor& m : monitors)
    if (w.left <= m.area.left && w.top <= m.area.top && w.right >= m.area.right &&
        w.bottom >= m.area.bottom)
      return true;
  return false;
}

}  // namespace core
