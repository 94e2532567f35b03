#include "vscreen/EdgePush.h"

#include "core/edgepush.h"
#include "fw/display.h"
#include "fw/shellwnd.h"
#include "vscreen/Gather.h"
#include "vscreen/ViewWindows.h"

namespace {

bool ButtonDown() {
  return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0 ||
         GetAsyncKeyState(VK_MBUTTON) < 0;
}

// The window the user drags by its title bar (or by a border), if any.
HWND DraggedWindow() {
  HWND foreground = GetForegroundWindow();
  if (!foreground) return nullptr;
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info)) return nullptr;
  return (info.flags & GUI_INMOVESIZE) ? info.hwndMoveSize : nullptr;
}

// Whether a window of the view fills its monitor in front: a game, a slide
// show, which the view must not move under.
bool FullScreenInFront(const std::vector<core::Monitor>& monitors) {
  HWND foreground = GetForegroundWindow();
  RECT r;
  return foreground && CViewWindows().OfTheView(foreground) && GetWindowRect(foreground, &r) &&
         core::FillsMonitor({r.left, r.top, r.right, r.bottom}, monitors);
}

bool Inside(POINT p, const core::Rect& r) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

void CEdgePush::Start(HWND owner, UINT_PTR timerId, int restMs, bool onlyDragging) {
  Stop();
  if (restMs <= 0 || !owner) return;
  m_owner = owner;
  m_timer = timerId;
  m_restMs = restMs;
  m_onlyDragging = onlyDragging;
  m_dwell.Reset();
  m_looks = 0;
  m_period = 0;
  Pace(kFarLookMs);
}

void CEdgePush::Pace(UINT ms) {
  if (ms == m_period) return;
  m_period = ms;
  SetTimer(m_owner, m_timer, ms, nullptr);
}

void CEdgePush::Refresh() {
  m_screen = CurrentScreen();
  m_docked = m_screen.bars;
  HWND taskbar = fw::FindTaskbar();
  RECT t;
  if (taskbar && IsWindowVisible(taskbar) && GetWindowRect(taskbar, &t))
    m_docked.push_back({t.left, t.top, t.right, t.bottom});
}

void CEdgePush::Stop() {
  if (m_owner) KillTimer(m_owner, m_timer);
  m_owner = nullptr;
}

POINT CEdgePush::Pointer(POINT p, HWND dragged) {
  RECT r;
  if (!dragged || !GetWindowRect(dragged, &r)) {
    m_dragged = nullptr;
    return p;
  }
  if (dragged != m_dragged) {
    m_dragged = dragged;
    m_taken = r;
    m_offset = {p.x - r.left, p.y - r.top};
  } else if (r.left != m_taken.left || r.top != m_taken.top) {
    p = {r.left + m_offset.x, r.top + m_offset.y};
  }
  return p;
}

void CEdgePush::Look() {
  if (!m_owner) return;
  if (m_looks++ % 20 == 0) Refresh();
  POINT at = {};
  GetCursorPos(&at);
  // A drag is looked after wherever it is, since a window may be carried to
  // an edge faster than a look far from the edges comes; only a pointer that
  // moved may be dragging one.  (Wine 8 tells no hook of its own when a drag
  // begins: EVENT_SYSTEM_MOVESIZESTART never comes.)
  const bool moved = at.x != m_lastAt.x || at.y != m_lastAt.y;
  m_lastAt = at;
  const bool nearby = m_dragged || (moved && GetAsyncKeyState(VK_LBUTTON) < 0) ||
                      core::NearAnEdge({at.x, at.y}, m_screen.monitors, m_screen.bars, kNearPixels);
  Pace(nearby ? kLookMs : kFarLookMs);
  if (!nearby) return m_dwell.Reset();
  HWND carried = nullptr;
  if (ButtonDown()) {
    // A button held is no push, unless it drags a window.
    carried = DraggedWindow();
    if (!carried) {
      m_dragged = nullptr;
      return m_dwell.Reset();
    }
  } else if (m_onlyDragging) {
    m_dragged = nullptr;
    return m_dwell.Reset();
  }
  const POINT p = Pointer(at, carried);
  const core::Screen& screen = m_screen;
  core::Edge edge = core::PushEdgeAt({p.x, p.y}, screen.monitors, m_docked);
  if (carried && edge == core::Edge::kNone)
    for (const core::Rect& bar : screen.bars)
      if (Inside(p, bar)) edge = core::EdgeOfBar(bar);
  if (edge != core::Edge::kNone &&
      ((!carried && FullScreenInFront(screen.monitors)) || !m_host.CanPage(edge)))
    edge = core::Edge::kNone;
  const core::Edge push = m_dwell.Look(GetTickCount(), edge, m_restMs);
  if (push != core::Edge::kNone) m_host.Page(push, carried);
}
