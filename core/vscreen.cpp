#include "core/vscreen.h"

#include <algorithm>

#include "core/settings_sheet.h"

namespace core {

namespace {

int Clamp(long long value, int maximum) {
  if (value < 0) return 0;
  return value > maximum ? maximum : static_cast<int>(value);
}

}  // namespace

int AxisMaximum(int pageSize, int screenCount) {
  if (pageSize <= 0 || screenCount <= 1) return 0;
  // The same bound as the settings sheet stores.
  return (ClampScreenCount(screenCount, pageSize) - 1) * pageSize;
}

int InitialPosition(int pageSize, int screenCount) {
  if (pageSize <= 0 || screenCount <= 1) return 0;
  return (ClampScreenCount(screenCount, pageSize) - 1) / 2 * pageSize;
}

int ClampToAxis(int position, int maximum) { return Clamp(position, maximum); }

AxisStep ScrollAxis(int code, int controlPosition, int storedPosition, int thumbPosition,
                    int pageSize, int maximum, bool fineFirst) {
  const long long b = controlPosition;
  const long long page = pageSize > 0 ? pageSize : 1;
  const long long line = page / 10;
  long long wanted;
  switch (code) {
    case kLineBack:
      wanted = b - line;
      break;
    case kLineForward:
      wanted = b + line;
      break;
    case kPageBack:
      // With "fine first" a position between page boundaries first goes back
      // to the boundary below it.
      wanted = (fineFirst && b % page != 0) ? page * (b / page) : b - page;
      break;
    case kPageForward:
      wanted = fineFirst ? page * ((b + page) / page) : b + page;
      break;
    case kThumbPosition:
    case kThumbTrack: {
      // A thumb position outside the axis (a message from elsewhere) is
      // taken to the nearest end rather than moving windows off the screen.
      int position = Clamp(thumbPosition, maximum);
      return {true, position, storedPosition - position};
    }
    default:
      return {false, storedPosition, 0};
  }
  int position = Clamp(wanted, maximum);
  return {true, position, controlPosition - position};
}

ViewPage CurrentPage(int positionX, int maximumX, int pageX, int positionY, int maximumY,
                     int pageY) {
  auto axis = [](int position, int maximum, int page, int& index, int& count) {
    page = std::max(1, page);
    count = std::max(0, maximum) / page + 1;
    index = std::min(count - 1, std::max(0, (position + (page - 1) / 2) / page));
  };
  ViewPage p;
  axis(positionX, maximumX, pageX, p.col, p.cols);
  axis(positionY, maximumY, pageY, p.row, p.rows);
  return p;
}

bool JumpInRange(int x, int y, int maximumX, int maximumY) {
  return 0 < x && x < maximumX && 0 < y && y < maximumY;
}

FollowDecision DecideFollow(bool isMainWindow, const std::string& title,
                            const std::string& lastTitle, bool maximised, const Rect& w,
                            const std::vector<Monitor>& monitors, bool moveAuto) {
  if (isMainWindow || title.empty() || title == lastTitle) return {false, false};
  return {true, (maximised && !MeetsAnyMonitor(w, monitors)) || moveAuto};
}

Rect ClipToTaskbar(Rect bar, const Rect& t, const Rect& m) {
  const bool overlaps =
      bar.left < t.right && t.left < bar.right && bar.top < t.bottom && t.top < bar.bottom;
  if (!overlaps) return bar;
  const bool wide = t.right - t.left >= t.bottom - t.top;
  if (wide && t.bottom >= m.bottom && t.top > m.top) {
    if (bar.bottom > t.top) bar.bottom = t.top;
  } else if (wide && t.top <= m.top && t.bottom < m.bottom) {
    if (bar.top < t.bottom) bar.top = t.bottom;
  } else if (!wide && t.right >= m.right && t.left > m.left) {
    if (bar.right > t.left) bar.right = t.left;
  } else if (!wide && t.left <= m.left && t.right < m.right) {
    if (bar.left < t.right) bar.left = t.right;
  }
  return bar;
}

Rect FitBarToEdge(Rect r, bool horizontal, int thickness, const Rect& m) {
  if (horizontal) {
    if (r.bottom - r.top >= thickness) return r;
    if (r.right <= r.left) r.left = m.left, r.right = m.right;
    r.bottom = m.bottom;
    r.top = m.bottom - thickness;
  } else {
    if (r.right - r.left >= thickness) return r;
    if (r.bottom <= r.top) r.top = m.top, r.bottom = m.bottom;
    r.right = m.right;
    r.left = m.right - thickness;
  }
  return r;
}

int ControlLength(int workLength, int clientLength) {
  return std::max(0, std::min(workLength, clientLength - 2));
}

BarZOrder BarZOrderFor(unsigned notification, unsigned taskbarState, bool opening) {
  const bool onTop = (taskbarState & kTaskbarOnTop) != 0;
  if (notification == kStateChange) return onTop ? BarZOrder::kTopmost : BarZOrder::kBottom;
  // A full-screen program closing leaves a bar below a lower taskbar where it is.
  if (notification == kFullScreenApp)
    return onTop ? BarZOrder::kTopmost : opening ? BarZOrder::kBottom : BarZOrder::kKeep;
  return BarZOrder::kKeep;
}

PendingMoves::Entry* PendingMoves::Find(std::uintptr_t window) {
  for (Entry& e : m_entries)
    if (e.window == window) return &e;
  return nullptr;
}

bool PendingMoves::OnItsWay(const Entry& e, Point at) {
  for (int i = 0; i < e.stopCount; ++i)
    if (Same(e.stops[i], at)) return true;
  return false;
}

PendingMoves::Point PendingMoves::Base(std::uintptr_t window, Point current) {
  const Entry* e = Find(window);
  if (!e) return current;
  if (!Same(e->target, current) && OnItsWay(*e, current)) return e->target;
  Erase(window);
  return current;
}

void PendingMoves::Request(std::uintptr_t window, Point from, Point target, std::uint32_t now) {
  Entry* e = Find(window);
  if (!e) {
    m_entries.push_back({window, target, {from}, 1, now});
    return;
  }
  // The first stop, where the window stood before any of these requests,
  // stays; the oldest of the later ones give way.
  if (!OnItsWay(*e, e->target)) {
    if (e->stopCount == kStops) {
      std::copy(e->stops + 2, e->stops + kStops, e->stops + 1);
      --e->stopCount;
    }
    e->stops[e->stopCount++] = e->target;
  }
  e->target = target;
  e->quietSince = now;
}

void PendingMoves::Erase(std::uintptr_t window) {
  for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
    if (it->window == window) {
      m_entries.erase(it);
      return;
    }
  }
}

bool PendingMoves::Contains(std::uintptr_t window) const {
  for (const Entry& e : m_entries)
    if (e.window == window) return true;
  return false;
}

}  // namespace core
