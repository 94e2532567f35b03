#include "core/display.h"

#include <algorithm>

namespace core {

Rect WorkArea(const Monitor& m) {
  const Rect& w = m.work;
  return w.right > w.left && w.bottom > w.top ? w : m.area;
}

Rect PageOf(const std::vector<Monitor>& monitors) {
  if (monitors.empty()) return {0, 0, 0, 0};
  Rect page = monitors.front().area;
  for (const Monitor& m : monitors) {
    page.left = std::min(page.left, m.area.left);
    page.top = std::min(page.top, m.area.top);
    page.right = std::max(page.right, m.area.right);
    page.bottom = std::max(page.bottom, m.area.bottom);
  }
  return page;
}

bool MeetsAnyMonitor(const Rect& r, const std::vector<Monitor>& monitors) {
  for (const Monitor& m : monitors)
    if (r.left < m.area.right && m.area.left < r.right && r.top < m.area.bottom &&
        m.area.top < r.bottom)
      return true;
  return false;
}

int BarMonitor(const std::vector<Monitor>& monitors, bool horizontal) {
  const Rect page = PageOf(monitors);
  int chosen = -1;
  for (int i = 0; i < static_cast<int>(monitors.size()); ++i) {
    const Rect& a = monitors[i].area;
    if ((horizontal ? a.bottom != page.bottom : a.right != page.right)) continue;
    if (chosen < 0 || monitors[i].primary) chosen = i;
  }
  return chosen;
}

Rect BarStrip(const Rect& m, bool horizontal, int thickness) {
  if (horizontal) return {m.left, m.bottom - thickness, m.right, m.bottom};
  return {m.right - thickness, m.top, m.right, m.bottom};
}

int ScaleToDpi(int pixelsAt96, int dpi) {
  if (dpi <= 0) dpi = 96;
  return (pixelsAt96 * dpi + 48) / 96;
}

}  // namespace core
