// The edge bars as app bars of Wine's shell.  Wine's explorer clips a query
// only against app bars registered earlier, always answers ABM_GETSTATE with
// auto-hide and always-on-top, and sends only ABN_POSCHANGED itself: the
// other notifications are sent here as the shell would send them.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "app/QovDesktopDialog.h"
#include "support/app_fixture.h"
#include "support/testsupport.h"
#include "vscreen/EdgeBar.h"

using namespace qovtest;

namespace {

class EdgeBars : public AppTest {};

bool IsTopmost(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// Which windows were moved or sized, in order.
std::vector<HWND> g_placed;
LRESULT CALLBACK RecordPlacement(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_WINDOWPOSCHANGED) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(message->lParam);
    if (!(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE)) g_placed.push_back(message->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(EdgeBars, DockFollowTheShellsNoticesAndGiveTheirStripsBack) {
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HWND hbar = dialog.m_wndHorizontalBar.m_hWnd, vbar = dialog.m_wndVerticalBar.m_hWnd;
  const RECT h = WindowRect(hbar), v = WindowRect(vbar);
  // Across to the vertical bar (Wine clips against every earlier bar).
  EXPECT_TRUE(h.left == 0 && h.top == cy - 24 && h.right == cx - 24 && h.bottom == cy);
  EXPECT_TRUE(v.left == cx - 24 && v.top == 0 && v.right == cx && v.bottom == cy);
  // A change of the work area docks the vertical bar first, then the other.
  MoveWindow(hbar, 10, 10, 40, 40, TRUE);
  MoveWindow(vbar, 60, 60, 40, 40, TRUE);
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, RecordPlacement, nullptr, GetCurrentThreadId());
  SendMessageA(dialog.m_hWnd, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  UnhookWindowsHookEx(hook);
  std::vector<HWND> bars;
  for (HWND hwnd : g_placed)
    if ((hwnd == hbar || hwnd == vbar) && (bars.empty() || bars.back() != hwnd))
      bars.push_back(hwnd);
  EXPECT_EQ(bars, (std::vector<HWND>{vbar, hbar}));
  EXPECT_TRUE(SameRect(WindowRect(hbar), h));
  // Wine's taskbar is always on top: so is a bar told of it, until painted.
  SendMessageA(hbar, WM_HBAR_NOTIFY, ABN_STATECHANGE, 0);
  EXPECT_TRUE(IsTopmost(hbar));
  RedrawWindow(hbar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_FALSE(IsTopmost(hbar));
  MoveWindow(hbar, 100, 100, 50, 50, TRUE);  // moved away: docked again on a position change
  SendMessageA(hbar, WM_HBAR_NOTIFY, ABN_POSCHANGED, 0);
  EXPECT_TRUE(SameRect(WindowRect(hbar), h));
  // Another tool's bar registered later is granted what ours leave.
  APPBARDATA later = {sizeof(later)};
  later.hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(SHAppBarMessage(ABM_NEW, &later));
  auto grantedRight = [&] {
    later.uEdge = ABE_RIGHT;
    SetRect(&later.rc, cx - 10, 0, cx, cy);
    SHAppBarMessage(ABM_QUERYPOS, &later);
    return later.rc.right;
  };
  EXPECT_EQ(grantedRight(), cx - 24);
  dialog.DestroyWindow();
  EXPECT_EQ(grantedRight(), cx);
  SHAppBarMessage(ABM_REMOVE, &later);
  DestroyWindow(later.hWnd);
}

}  // namespace
