#include "vscreen/Gather.h"

#include "fw/display.h"
#include "vscreen/EdgeBar.h"
#include "vscreen/Pins.h"
#include "vscreen/WindowMover.h"

core::Screen CurrentScreen() {
  core::Screen screen = {fw::Monitors(), {}};
  for (const APPBARDATA* bar : {&g_abdHorizontal, &g_abdVertical}) {
    RECT r;
    if (bar->hWnd && IsWindowVisible(bar->hWnd) && GetWindowRect(bar->hWnd, &r))
      screen.bars.push_back({r.left, r.top, r.right, r.bottom});
  }
  return screen;
}

core::Rect ActiveWorkArea() {
  const std::vector<core::Monitor> monitors = fw::Monitors();
  RECT active = {};
  if (HWND foreground = GetForegroundWindow()) GetWindowRect(foreground, &active);
  return core::WorkArea(
      monitors[core::MonitorOf({active.left, active.top, active.right, active.bottom}, monitors)]);
}

ViewArea ViewAreaOf(const CEdgeBar& h, const CEdgeBar& v) {
  // The virtual screen starts as many pixels before the page as the view
  // stands from its start.
  const core::Rect page = core::PageOf(fw::Monitors());
  const int left = page.left - h.m_nPosition, top = page.top - v.m_nPosition;
  return {page, {left, top, left + h.Maximum() + h.m_nPageSize, top + v.Maximum() + v.m_nPageSize}};
}

core::ViewPage CurrentPageOf(const CEdgeBar& h, const CEdgeBar& v) {
  return core::CurrentPage(h.m_nPosition, h.Maximum(), h.m_nPageSize, v.m_nPosition, v.Maximum(),
                           v.m_nPageSize);
}

namespace {

void Bring(const CEdgeBar& h, const CEdgeBar& v, bool (*which)(HWND)) {
  if (!h.m_hWnd || !v.m_hWnd) return;
  const ViewArea area = ViewAreaOf(h, v);
  BringOntoScreen(CurrentScreen(), area.page, area.space, which);
}

}  // namespace

void GatherWindows(const CEdgeBar& h, const CEdgeBar& v) { Bring(h, v, nullptr); }

void BringPinnedOntoScreen(const CEdgeBar& h, const CEdgeBar& v) { Bring(h, v, pins::IsPinned); }

void TogglePin(HWND hwnd, const CEdgeBar& h, const CEdgeBar& v) {
  if (pins::Toggle(hwnd) && pins::IsPinned(hwnd)) BringPinnedOntoScreen(h, v);
}
