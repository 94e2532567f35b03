// How the program is reached besides its system menu, and how it tells where
// the view is: the notification-area icon, the command line's messages, edge
// push and the page indicator.
#include <cstdio>

#include "app/QovDesktopDialog.h"
#include "core/remote.h"
#include "fw/lang.h"
#include "vscreen/Gather.h"
#include "vscreen/WindowMover.h"

std::string CQovDesktopDialog::IconTip() const {
  const core::ViewPage page = CurrentPageOf(m_wndHorizontalBar, m_wndVerticalBar);
  char tip[128] = "";
  std::snprintf(tip, sizeof(tip), fw::UiString(IDS_TIP_FORMAT).c_str(),
                fw::UiString(IDS_APP_TITLE).c_str(), page.col + 1, page.row + 1, page.cols,
                page.rows);
  return tip;
}

void CQovDesktopDialog::OnNotifyIcon(LPARAM event) {
  switch (m_notifyIcon.EventOf(event)) {
    case fw::CNotifyIcon::Event::kChoose:
      m_overview.Open(this);
      break;
    case fw::CNotifyIcon::Event::kMenu: {
      // The same menu as the system menu's, its command taking the same path.
      HMENU menu = CreatePopupMenu();
      if (!menu) break;
      commands::FillMenu(menu);
      POINT at;
      GetCursorPos(&at);
      // The menu closes when the user clicks elsewhere only while this
      // window is in the foreground.
      SetForegroundWindow(m_hWnd);
      const UINT id = static_cast<UINT>(
          TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0,
                         m_hWnd, nullptr));
      PostMessageA(m_hWnd, WM_NULL, 0, 0);
      DestroyMenu(menu);
      if (id) PostMessageA(m_hWnd, WM_SYSCOMMAND, id, 0);
      break;
    }
    default:
      break;
  }
}

LRESULT CQovDesktopDialog::OnRemote(const COPYDATASTRUCT* data) {
  // Only what a starter sends is taken; anything else changes nothing.
  if (!data || data->dwData != core::kRemoteTag) return core::kRefused;
  const core::RemoteCommand remote = core::ParseRemoteText(data->lpData, data->cbData);
  UINT id = 0;
  LPARAM argument = 0;
  if (!commands::OfRemote(remote, id, argument)) return core::kRefused;
  const core::ViewPage page = CurrentPageOf(m_wndHorizontalBar, m_wndVerticalBar);
  if (remote.move == core::PageMove::kAt && remote.command == core::Remote::kPage &&
      (remote.col > page.cols || remote.row > page.rows))
    return core::kPageOutside;
  // Done after the answer, so that no starter waits on the command's work.
  PostMessageA(m_hWnd, WM_RUN_COMMAND, id, argument);
  return core::kTaken;
}

void CQovDesktopDialog::ShowPage(const std::wstring& note) {
  // Over the overview it would hide what the overview shows better.
  if (!m_bPageIndicator || m_overview.m_hWnd) return;
  m_indicator.Show(CurrentPageOf(m_wndHorizontalBar, m_wndVerticalBar), note);
}

bool CQovDesktopDialog::CanPage(core::Edge edge) {
  const CEdgeBar& h = m_wndHorizontalBar;
  const CEdgeBar& v = m_wndVerticalBar;
  switch (edge) {
    case core::Edge::kLeft: return h.m_nPosition > 0;
    case core::Edge::kRight: return h.m_nPosition < h.Maximum();
    case core::Edge::kTop: return v.m_nPosition > 0;
    case core::Edge::kBottom: return v.m_nPosition < v.Maximum();
    default: return false;
  }
}

void CQovDesktopDialog::Page(core::Edge edge, HWND carried) {
  // A dragged window, and the windows it owns, stay under the pointer: on
  // the virtual screen they land a page further.
  SetCarriedWindow(carried);
  switch (edge) {
    case core::Edge::kLeft: m_wndHorizontalBar.HandleScroll(SB_PAGELEFT, 0); break;
    case core::Edge::kRight: m_wndHorizontalBar.HandleScroll(SB_PAGERIGHT, 0); break;
    case core::Edge::kTop: m_wndVerticalBar.HandleScroll(SB_PAGEUP, 0); break;
    case core::Edge::kBottom: m_wndVerticalBar.HandleScroll(SB_PAGEDOWN, 0); break;
    default: break;
  }
  SetCarriedWindow(nullptr);
  ShowPage(std::wstring());
}
