// The view from the keyboard and the gathering of windows: the hot keys'
// commands and "gather windows".
#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "app/settings_names.h"
#include "core/viewkeys.h"
#include "fw/display.h"
#include "vscreen/Pins.h"
#include "vscreen/WindowMover.h"

void CQovDesktopDialog::StartViewKeys() {
  pins::SetPrograms(core::SplitProgramNames(
      QovApp()->ReadStringSetting(settings::kSetting, settings::kPinnedPrograms, "")));
  m_nTakenViewKeys = m_viewKeys.Register(m_hWnd, *QovApp());
}

void CQovDesktopDialog::OnViewKey(int command) {
  // A key pages the view as a page click on a bar does.
  switch (command) {
    case core::kViewKeyLeft:
      m_wndHorizontalBar.HandleScroll(SB_PAGELEFT, 0);
      break;
    case core::kViewKeyRight:
      m_wndHorizontalBar.HandleScroll(SB_PAGERIGHT, 0);
      break;
    case core::kViewKeyUp:
      m_wndVerticalBar.HandleScroll(SB_PAGEUP, 0);
      break;
    case core::kViewKeyDown:
      m_wndVerticalBar.HandleScroll(SB_PAGEDOWN, 0);
      break;
    case core::kViewKeyHome:
      BringViewHome();
      break;
    case core::kViewKeyOverview:
      m_overview.Open(this);
      break;
    case core::kViewKeyPin: {
      HWND active = GetForegroundWindow();
      DWORD process = 0;
      GetWindowThreadProcessId(active, &process);
      if (process != GetCurrentProcessId()) pins::Toggle(active);
      break;
    }
    default:
      break;
  }
}

void CQovDesktopDialog::GatherWindows() {
  const CEdgeBar& h = m_wndHorizontalBar;
  const CEdgeBar& v = m_wndVerticalBar;
  if (!h.m_hWnd || !v.m_hWnd) return;
  // The screen is the page the view shows; the virtual screen starts as many
  // pixels before it as the view stands from its start.
  const core::Rect screen = core::PageOf(fw::Monitors());
  const int left = screen.left - h.m_nPosition, top = screen.top - v.m_nPosition;
  ::GatherWindows(screen, {left, top, left + h.Maximum() + h.m_nPageSize,
                           top + v.Maximum() + v.m_nPageSize});
}
