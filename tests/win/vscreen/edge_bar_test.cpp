// The edge bars as app bars of Wine's shell.  Wine's explorer clips a query
// only against app bars registered earlier, always answers ABM_GETSTATE with
// auto-hide and always-on-top, and sends only ABN_POSCHANGED itself: the
// other notifications are sent here as the shell would send them.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "support/app_fixture.h"
#include "support/testsupport.h"

using namespace qovtest;

namespace {

class EdgeBars : public AppTest {};

// An app bar of another tool, registered on an edge.
class StandInBar {
 public:
  StandInBar(UINT edge, int thickness) {
    m_hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    m_data.cbSize = sizeof(m_data);
    m_data.hWnd = m_hwnd;
    m_data.uCallbackMessage = WM_USER + 500;
    m_data.uEdge = edge;
    m_registered = SHAppBarMessage(ABM_NEW, &m_data) != 0;
    m_rect = Query(edge, thickness);
    m_data.rc = m_rect;
    SHAppBarMessage(ABM_SETPOS, &m_data);
    m_rect = m_data.rc;
  }
  ~StandInBar() {
    SHAppBarMessage(ABM_REMOVE, &m_data);
    DestroyWindow(m_hwnd);
  }
  // What the shell would grant this bar for a strip on an edge now.
  RECT Query(UINT edge, int thickness) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    m_data.uEdge = edge;
    if (edge == ABE_BOTTOM)
      SetRect(&m_data.rc, 0, cy - thickness, cx, cy);
    else
      SetRect(&m_data.rc, cx - thickness, 0, cx, cy);
    SHAppBarMessage(ABM_QUERYPOS, &m_data);
    return m_data.rc;
  }
  bool Registered() const { return m_registered; }
  const RECT& Rect() const { return m_rect; }

 private:
  HWND m_hwnd;
  APPBARDATA m_data = {};
  bool m_registered;
  RECT m_rect;
};

bool IsTopmost(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool Registered(HWND bar) {
  // Registering a window a second time fails.
  APPBARDATA data = {};
  data.cbSize = sizeof(data);
  data.hWnd = bar;
  data.uCallbackMessage = WM_USER + 501;
  if (!SHAppBarMessage(ABM_NEW, &data)) return true;
  SHAppBarMessage(ABM_REMOVE, &data);
  return false;
}

TEST_F(EdgeBars, DockAsStripsOnTheirEdgesAfterEarlierBars) {
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  StandInBar bottom(ABE_BOTTOM, 30);
  ASSERT_TRUE(bottom.Registered());
  ASSERT_EQ(bottom.Rect().top, cy - 30);

  HWND hbar, vbar;
  {
    CQovDesktopDialog dialog;
    ASSERT_TRUE(dialog.Create());
    hbar = dialog.m_wndHorizontalBar.m_hWnd;
    vbar = dialog.m_wndVerticalBar.m_hWnd;
    RECT h = WindowRect(hbar), v = WindowRect(vbar);
    // The horizontal bar: the 24-pixel strip directly above the earlier bar,
    // across the screen up to the vertical bar docked before it (Wine's shell
    // clips a bar against every earlier one; Windows gives the full width).
    EXPECT_EQ(h.left, 0);
    EXPECT_TRUE(h.right == cx || h.right == v.left) << h.right;
    EXPECT_EQ(h.bottom, cy - 30);
    EXPECT_EQ(h.top, cy - 30 - 24);
    // The vertical bar asks for the whole right strip and takes what it is
    // granted: here the part above the earlier bottom bar.
    EXPECT_EQ(v.left, cx - 24);
    EXPECT_EQ(v.right, cx);
    EXPECT_EQ(v.top, 0);
    EXPECT_EQ(v.bottom, cy - 30);
    for (HWND bar : {hbar, vbar}) {
      EXPECT_TRUE(IsWindowVisible(bar));
      EXPECT_EQ(WindowText(bar), "");
      EXPECT_FALSE(GetWindowLongA(bar, GWL_STYLE) & WS_CAPTION);
      EXPECT_TRUE(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
      EXPECT_FALSE(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_APPWINDOW);
      EXPECT_TRUE(Registered(bar));
    }

    // A bar registered later is clipped against both of ours.
    StandInBar later(ABE_RIGHT, 10);
    RECT right = later.Query(ABE_RIGHT, 10);
    EXPECT_EQ(right.right, cx - 24);
    RECT low = later.Query(ABE_BOTTOM, 10);
    EXPECT_EQ(low.bottom, cy - 30 - 24);
    // Ending the main window ends the bars, which give their strips back.
    dialog.DestroyWindow();
    EXPECT_FALSE(IsWindow(hbar));
    EXPECT_FALSE(IsWindow(vbar));
    right = later.Query(ABE_RIGHT, 10);
    EXPECT_EQ(right.right, cx);
    low = later.Query(ABE_BOTTOM, 10);
    EXPECT_EQ(low.bottom, cy - 30);
  }
}

TEST_F(EdgeBars, NotificationsSetZOrderAndPlacement) {
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  for (CEdgeBar* bar : {static_cast<CEdgeBar*>(&dialog.m_wndHorizontalBar),
                        static_cast<CEdgeBar*>(&dialog.m_wndVerticalBar)}) {
    HWND hwnd = bar->m_hWnd;
    const UINT notify = bar == &dialog.m_wndHorizontalBar ? WM_HBAR_NOTIFY : WM_VBAR_NOTIFY;
    const RECT docked = WindowRect(hwnd);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(IsTopmost(hwnd));

    // The taskbar is always on top (as Wine's shell says): so is the bar.
    EXPECT_EQ(SendMessageA(hwnd, notify, ABN_STATECHANGE, 0), 0);
    EXPECT_TRUE(IsTopmost(hwnd));
    // A repaint takes it out of the topmost group again.
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(IsTopmost(hwnd));

    // Moved away by someone, it docks again on a position change.
    MoveWindow(hwnd, 100, 100, 50, 50, TRUE);
    SendMessageA(hwnd, notify, ABN_POSCHANGED, 0);
    EXPECT_TRUE(SameRect(docked, WindowRect(hwnd)));

    // A full-screen application opening or closing: on top, and docked again.
    for (LPARAM opening : {1, 0}) {
      MoveWindow(hwnd, 100, 100, 50, 50, TRUE);
      RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      SendMessageA(hwnd, notify, ABN_FULLSCREENAPP, opening);
      EXPECT_TRUE(IsTopmost(hwnd));
      RECT now = WindowRect(hwnd);
      EXPECT_TRUE(SameRect(docked, now)) << now.left << "," << now.top;
    }
    // Unknown codes change nothing.
    MoveWindow(hwnd, 100, 100, 50, 50, TRUE);
    SendMessageA(hwnd, notify, 77, 0);
    EXPECT_EQ(WindowRect(hwnd).left, 100);
    bar->RepositionBar();
    // Out of the topmost group again before the twin's turn: Wine keeps a
    // window made "not topmost" in that group while a sibling owned by the
    // same window is still in it.
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(IsTopmost(hwnd));
  }
  (void)cx;
  (void)cy;
}

// Which bars hear of a move, in order.
std::vector<HWND> g_placed;
LRESULT CALLBACK RecordPlacement(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_WINDOWPOSCHANGED) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(message->lParam);
    if (!(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE)) g_placed.push_back(message->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(EdgeBars, SettingChangeDocksVerticalThenHorizontal) {
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HWND hbar = dialog.m_wndHorizontalBar.m_hWnd, vbar = dialog.m_wndVerticalBar.m_hWnd;
  const RECT hDocked = WindowRect(hbar), vDocked = WindowRect(vbar);
  MoveWindow(hbar, 10, 10, 40, 40, TRUE);
  MoveWindow(vbar, 60, 60, 40, 40, TRUE);
  g_placed.clear();
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, RecordPlacement, nullptr, GetCurrentThreadId());
  SendMessageA(dialog.m_hWnd, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  UnhookWindowsHookEx(hook);
  std::vector<HWND> bars;
  for (HWND hwnd : g_placed)
    if ((hwnd == hbar || hwnd == vbar) && (bars.empty() || bars.back() != hwnd)) bars.push_back(hwnd);
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0], vbar);
  EXPECT_EQ(bars[1], hbar);
  EXPECT_TRUE(SameRect(hDocked, WindowRect(hbar)));
  EXPECT_TRUE(SameRect(vDocked, WindowRect(vbar)));
}

TEST_F(EdgeBars, StandFullyThickWithTheirControlsInside) {
  // A bar on the right edge before ours (as a killed run's would be): the
  // shell grants our vertical bar nothing across, and it takes its strip anyway.
  const int cx = GetSystemMetrics(SM_CXSCREEN);
  StandInBar earlier(ABE_RIGHT, 24);
  ASSERT_TRUE(earlier.Registered());
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar& hbar = dialog.m_wndHorizontalBar;
  CEdgeBar& vbar = dialog.m_wndVerticalBar;
  RECT v = WindowRect(vbar.m_hWnd);
  EXPECT_EQ(v.right, cx);
  EXPECT_EQ(v.right - v.left, 24);
  EXPECT_GT(v.bottom - v.top, 0);
  // Each scroll bar, arrows and all, lies inside its bar, painted or not.
  for (CEdgeBar* bar : {&hbar, &vbar}) {
    RedrawWindow(bar->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client, control = WindowRect(bar->m_ScrollBar.m_hWnd);
    GetClientRect(bar->m_hWnd, &client);
    MapWindowPoints(bar->m_hWnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_GE(control.left, client.left);
    EXPECT_GE(control.top, client.top);
    if (bar == &hbar) EXPECT_LE(control.right, client.right);
    if (bar == &vbar) EXPECT_LE(control.bottom, client.bottom);
    EXPECT_GT(control.right - control.left, 0);
    EXPECT_GT(control.bottom - control.top, 0);
  }
}

TEST_F(EdgeBars, MarginClicksRaiseTheTaskbar) {
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar& hbar = dialog.m_wndHorizontalBar;
  CEdgeBar& vbar = dialog.m_wndVerticalBar;
  HWND taskbar = FindWindowA("Shell_TrayWnd", "");
  ASSERT_NE(taskbar, nullptr);
  for (UINT button : {WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
    for (CEdgeBar* bar : {&hbar, &vbar}) {
      SetWindowPos(taskbar, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
      ASSERT_NE(GetTopWindow(nullptr), taskbar);
      SendMessageA(bar->m_hWnd, button, 0, MAKELPARAM(0, 0));
      // The first window that is not always on top is now the taskbar.
      HWND first = GetTopWindow(nullptr);
      while (first && IsTopmost(first)) first = GetWindow(first, GW_HWNDNEXT);
      EXPECT_EQ(first, taskbar);
      SendMessageA(bar->m_hWnd, button == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_RBUTTONUP, 0, 0);
    }
  }
}

}  // namespace
