#include "core/screen.h"

#include <algorithm>

namespace core {

namespace {

bool Meets(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Empty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

long long Area(const Rect& a, const Rect& b) {
  const long long w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const long long h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// How many whole pages from `origin` the coordinate `at` lies (floor).
int PagesFrom(int at, int origin, int page) {
  const long long d = static_cast<long long>(at) - origin;
  return static_cast<int>(d >= 0 ? d / page : -((-d + page - 1) / page));
}

// The nearest start of an extent of `length` within [low, high), or `low`
// when it is longer.
int Nearest(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

Rect UsableArea(const Monitor& monitor, const std::vector<Rect>& bars) {
  Rect u = WorkArea(monitor);
  for (const Rect& b : bars) {
    if (Empty(b) || Empty(u) || !Meets(b, u)) continue;
    // Centres doubled, so that no half pixel is lost.
    if (b.right - b.left >= b.bottom - b.top) {
      if (b.top + b.bottom > u.top + u.bottom)
        u.bottom = std::min(u.bottom, b.top);
      else
        u.top = std::max(u.top, b.bottom);
    } else if (b.left + b.right > u.left + u.right) {
      u.right = std::min(u.right, b.left);
    } else {
      u.left = std::max(u.left, b.right);
    }
  }
  return Empty(u) ? Rect{0, 0, 0, 0} : u;
}

bool OnScreen(const Rect& window, const Screen& screen) {
  for (const Monitor& m : screen.monitors) {
    const Rect u = UsableArea(m, screen.bars);
    if (!Empty(u) && Meets(window, u)) return true;
  }
  return false;
}

Point NearestOnScreen(const Rect& w, const Screen& screen) {
  Point best = {w.left, w.top};
  long long bestDistance = -1;
  const int width = w.right - w.left, height = w.bottom - w.top;
  for (const Monitor& m : screen.monitors) {
    const Rect u = UsableArea(m, screen.bars);
    if (Empty(u)) continue;
    const Point p = {Nearest(w.left, width, u.left, u.right), Nearest(w.top, height, u.top, u.bottom)};
    const long long dx = static_cast<long long>(p.x) - w.left, dy = static_cast<long long>(p.y) - w.top;
    const long long distance = dx * dx + dy * dy;
    if (bestDistance < 0 || distance < bestDistance) best = p, bestDistance = distance;
  }
  return best;
}

Point PlaceOnScreen(const Rect& w, const Screen& screen, const Rect& page, const Rect& space) {
  if (OnScreen(w, screen)) return {w.left, w.top};
  Rect moved = w;
  const bool inSpace = space.left <= w.left && w.left < space.right && space.top <= w.top &&
                       w.top < space.bottom;
  if (inSpace) {
    const int pageWidth = std::max(1, page.right - page.left);
    const int pageHeight = std::max(1, page.bottom - page.top);
    const int dx = -PagesFrom(w.left, page.left, pageWidth) * pageWidth;
    const int dy = -PagesFrom(w.top, page.top, pageHeight) * pageHeight;
    moved = {w.left + dx, w.top + dy, w.right + dx, w.bottom + dy};
    if (OnScreen(moved, screen)) return {moved.left, moved.top};
  }
  return NearestOnScreen(moved, screen);
}

int MonitorOf(const Rect& window, const std::vector<Monitor>& monitors) {
  int chosen = -1;
  long long most = 0;
  for (int i = 0; i < static_cast<int>(monitors.size()); ++i) {
    const long long shared = Area(window, monitors[i].area);
    if (shared > most) most = shared, chosen = i;
  }
  if (chosen >= 0) return chosen;
  for (int i = 0; i < static_cast<int>(monitors.size()); ++i)
    if (monitors[i].primary) return i;
  return monitors.empty() ? -1 : 0;
}

}  // namespace core
