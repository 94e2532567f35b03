// Following the active window: the window that newly became active is
// noted at every tick, and the jump brings it into view.
#include "app/QovDesktopDialog.h"
#include "core/vscreen.h"
#include "fw/display.h"

void CQovDesktopDialog::JumpToRecordedWindow() {
  fw::CScrollBar& horizontal = m_wndHorizontalBar.m_ScrollBar;
  fw::CScrollBar& vertical = m_wndVerticalBar.m_ScrollBar;
  if (!horizontal.m_hWnd || !vertical.m_hWnd) return;
  const int x = horizontal.GetScrollPos() + m_nRecordedLeft;
  const int y = vertical.GetScrollPos() + m_nRecordedTop;
  // The bars' own ranges decide, so that a jump never asks a bar for a
  // position its control cannot show (the counts may have changed since).
  if (!core::JumpInRange(x, y, m_wndHorizontalBar.Maximum(), m_wndVerticalBar.Maximum())) return;
  // The bars move the windows when they take these messages: the thumb codes
  // scroll from each bar's stored position to the one set here.
  horizontal.SetScrollPos(x);
  PostMessageA(m_wndHorizontalBar.m_hWnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, x),
               reinterpret_cast<LPARAM>(horizontal.m_hWnd));
  vertical.SetScrollPos(y);
  PostMessageA(m_wndVerticalBar.m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, y),
               reinterpret_cast<LPARAM>(vertical.m_hWnd));
}

void CQovDesktopDialog::FollowActiveWindow() {
  HWND foreground = GetForegroundWindow();
  if (!foreground) return;
  fw::CWnd window;
  window.m_hWnd = foreground;
  const std::string title = window.GetWindowText();
  RECT rect = {}, client = {};
  GetWindowRect(foreground, &rect);
  GetClientRect(foreground, &client);
  MapWindowPoints(foreground, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  const std::vector<core::Monitor> monitors = fw::Monitors();
  core::FollowDecision decision = core::DecideFollow(
      foreground == m_hWnd, title, m_strLastActiveTitle, IsZoomed(foreground) != FALSE,
      {client.left, client.top, client.right, client.bottom}, monitors, m_bMoveAuto != 0);
  if (!decision.record) return;
  m_strLastActiveTitle = title;
  // The jump brings the window to the primary monitor's top-left corner.
  core::Rect primary = monitors.front().area;
  for (const core::Monitor& m : monitors)
    if (m.primary) primary = m.area;
  m_nRecordedLeft = rect.left - primary.left;
  m_nRecordedTop = rect.top - primary.top;
  if (decision.jump) JumpToRecordedWindow();
}
