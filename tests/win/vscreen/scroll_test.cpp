// Scrolling the virtual screen: the main window and its bars hosted here,
// windows of another program moved.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "support/app_fixture.h"
#include "support/testsupport.h"
#include "vscreen/WindowMover.h"

using namespace qovtest;

namespace {

class Scrolling : public AppTest {
 protected:
  // Sends a scroll code to a bar as its scroll bar control would.
  static void Scroll(CEdgeBar& bar, bool horizontal, int code, int thumb = 0) {
    SendMessageA(bar.m_hWnd, horizontal ? WM_HSCROLL : WM_VSCROLL,
                 MAKEWPARAM(code, static_cast<WORD>(thumb)),
                 reinterpret_cast<LPARAM>(bar.m_ScrollBar.m_hWnd));
  }
};

POINT TopLeft(HWND hwnd) {
  RECT r = WindowRect(hwnd);
  return {r.left, r.top};
}

POINT RestoredTopLeft(HWND hwnd) {
  WINDOWPLACEMENT placement = {sizeof(placement)};
  GetWindowPlacement(hwnd, &placement);
  return {placement.rcNormalPosition.left, placement.rcNormalPosition.top};
}

TEST_F(Scrolling, MovesTitledWindowsByTheDistanceScrolled) {
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Shown|200,150,300,200|", "|Owned|260,210,200,100|o",
                          "|Hidden|140,160,300,200|h", "|Iconic|180,200,300,200|m",
                          "||220,240,300,200|"}));
  HWND moved[] = {host.Find("Shown"), host.Find("Owned"), host.Find("Hidden")};
  HWND iconic = host.Find("Iconic"), untitled = host.Windows()[4];
  ASSERT_EQ(GetWindow(moved[1], GW_OWNER), moved[0]);
  const POINT iconicBefore = RestoredTopLeft(iconic), untitledBefore = TopLeft(untitled);
  const RECT iconRect = WindowRect(iconic);
  POINT start[3];
  for (int i = 0; i < 3; ++i) start[i] = TopLeft(moved[i]);

  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar& hbar = dialog.m_wndHorizontalBar;
  CEdgeBar& vbar = dialog.m_wndVerticalBar;
  const int page = hbar.m_nPageSize, vpage = vbar.m_nPageSize;
  ASSERT_EQ(hbar.m_nPosition, page);  // the middle of three screens
  EXPECT_FALSE(KeyExists(m_key + "\\View"));

  // Every titled window, an owned pop-up too, moves by the distance
  // scrolled; the minimised and the untitled ones stay.
  Scroll(hbar, true, SB_PAGERIGHT);
  Scroll(hbar, true, SB_LINELEFT);
  Scroll(vbar, false, SB_THUMBTRACK, vpage + 100);
  const int dx = page - hbar.m_nPosition, dy = vpage - vbar.m_nPosition;
  ASSERT_EQ(dx, page / 10 - page);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(TopLeft(moved[i]).x, start[i].x + dx) << i;
    EXPECT_EQ(TopLeft(moved[i]).y, start[i].y + dy) << i;
  }
  EXPECT_EQ(RestoredTopLeft(iconic).x, iconicBefore.x);
  EXPECT_TRUE(SameRect(WindowRect(iconic), iconRect));
  EXPECT_EQ(TopLeft(untitled).x, untitledBefore.x);
  // Away from the start the view is kept in a volatile key.
  ASSERT_TRUE(KeyExists(m_key + "\\View"));
  HKEY view = nullptr, sub = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (m_key + "\\View").c_str(), 0, KEY_ALL_ACCESS, &view),
            ERROR_SUCCESS);
  EXPECT_EQ(RegCreateKeyExA(view, "probe", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &sub, nullptr),
            ERROR_CHILD_MUST_BE_VOLATILE);
  DWORD left = 0, size = sizeof(left);
  RegQueryValueExA(view, "Left", nullptr, nullptr, reinterpret_cast<BYTE*>(&left), &size);
  EXPECT_EQ(static_cast<int>(left), hbar.m_nPosition);
  RegCloseKey(view);

  // The end of the session brings every window home and forgets the view.
  SendMessageA(dialog.m_hWnd, WM_ENDSESSION, TRUE, 0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(TopLeft(moved[i]).x, start[i].x) << i;
    EXPECT_EQ(TopLeft(moved[i]).y, start[i].y) << i;
  }
  EXPECT_FALSE(KeyExists(m_key + "\\View"));
}

// The shell's desktop as the mover knows it: "Program Manager" with the
// desktop view as its child and the icon list view as the grandchild.
struct DesktopStandIn {
  DesktopStandIn() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Progman";
    RegisterClassA(&wc);
    wc.lpszClassName = "SHELLDLL_DefView";
    RegisterClassA(&wc);
    progman = CreateWindowExA(0, "Progman", "Program Manager", WS_POPUP | WS_VISIBLE, 0, 0, 400,
                              300, nullptr, nullptr, wc.hInstance, nullptr);
    view = CreateWindowExA(0, "SHELLDLL_DefView", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300,
                           progman, nullptr, wc.hInstance, nullptr);
    icons = CreateWindowExA(0, WC_LISTVIEWA, "FolderView", WS_CHILD | WS_VISIBLE | LVS_ICON, 0, 0,
                            400, 300, view, nullptr, wc.hInstance, nullptr);
  }
  ~DesktopStandIn() { DestroyWindow(progman); }
  HWND progman, view, icons;
};

TEST_F(Scrolling, DesktopIconsSlideInPlaceOfTheDesktopWhenSet) {
  DesktopStandIn desktop;
  ASSERT_NE(desktop.icons, nullptr);
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar& bar = dialog.m_wndHorizontalBar;
  const int line = GetSystemMetrics(SM_CXSCREEN) / 10;

  Scroll(bar, true, SB_LINERIGHT);  // flag off: the desktop window itself moves
  EXPECT_EQ(TopLeft(desktop.progman).x, -line);
  EXPECT_EQ(TopLeft(desktop.icons).x, -line);  // carried along by its parent
  Scroll(bar, true, SB_LINELEFT);
  EXPECT_EQ(TopLeft(desktop.progman).x, 0);

  bar.SetMoveDesktopIcons(1);  // flag on: only the icon list view moves
  Scroll(bar, true, SB_LINERIGHT);
  EXPECT_EQ(TopLeft(desktop.progman).x, 0);
  EXPECT_EQ(TopLeft(desktop.view).x, 0);
  EXPECT_EQ(TopLeft(desktop.icons).x, -line);
  Scroll(bar, true, SB_LINERIGHT);
  EXPECT_EQ(TopLeft(desktop.icons).x, -2 * line);
  // The vertical axis keeps its own flag, read from the settings at start.
  Scroll(dialog.m_wndVerticalBar, false, SB_LINEDOWN);
  EXPECT_EQ(TopLeft(desktop.progman).y, -GetSystemMetrics(SM_CYSCREEN) / 10);

  // A stored non-zero value turns it on for both bars of the next start.
  dialog.DestroyWindow();
  SetDword(m_key + "\\Setting", "Move desktop icons", 7);
  CQovDesktopDialog next;
  ASSERT_TRUE(next.Create());
  EXPECT_EQ(g_bMoveDesktopIconsX, 1);
  EXPECT_EQ(g_bMoveDesktopIconsY, 1);
}

TEST_F(Scrolling, AProgramThatDoesNotAnswerHoldsUpNoScroll) {
  WindowHost host, stuck;
  ASSERT_TRUE(host.Start({"|A|100,100,200,150|", "|B|150,150,200,150|", "|C|200,200,200,150|"}));
  ASSERT_TRUE(stuck.Start({"|Stuck|300,250,200,150|"}));
  HWND hung = stuck.Windows()[0];
  const POINT hungStart = TopLeft(hung);
  // Every titled window of the sleeping thread waits: its own and the
  // hidden "Default IME" window each thread with windows has.
  size_t stuckWindows = 0;
  for (HWND hwnd : TopLevelWindows(stuck.Proc().Id(), false))
    if (!WindowText(hwnd).empty()) ++stuckWindows;
  std::vector<POINT> start;
  for (HWND hwnd : host.Windows()) start.push_back(TopLeft(hwnd));
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar& bar = dialog.m_wndHorizontalBar;
  const int home = bar.m_nPosition;
  auto othersAt = [&](int dx) {
    for (size_t i = 0; i < start.size(); ++i)
      if (TopLeft(host.Windows()[i]).x != start[i].x + dx) return false;
    return true;
  };

  stuck.Hang(6000);
  Sleep(200);
  DWORD t0 = GetTickCount();
  Scroll(bar, true, SB_PAGERIGHT);
  EXPECT_LT(GetTickCount() - t0, 1000u);
  EXPECT_TRUE(othersAt(home - bar.m_nPosition));
  EXPECT_EQ(TopLeft(hung).x, hungStart.x);  // it has not taken the move yet
  EXPECT_EQ(PendingMoveCount(), stuckWindows);
  // A drag while it still sleeps: each message starts from where it is going.
  for (int i = 1; i <= 60; ++i) Scroll(bar, true, SB_THUMBTRACK, bar.Maximum() * (60 - i) / 60 + 7);
  const int dx = home - bar.m_nPosition;
  EXPECT_TRUE(othersAt(dx));
  EXPECT_LT(GetTickCount() - t0, 5000u);  // waiting on it would take until it wakes
  // Awake again, it ends exactly on its place; the table empties.
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(hung).x == hungStart.x + dx; }, 10000))
      << TopLeft(hung).x;
  Pump(1200);
  EXPECT_EQ(PendingMoveCount(), 0u);

  // Destroyed while a move of it is pending: nothing is left behind.
  stuck.Hang(10000);
  Sleep(200);
  Scroll(bar, true, SB_PAGELEFT);
  EXPECT_EQ(PendingMoveCount(), stuckWindows);
  stuck.Proc().Kill();
  Pump(1200);
  EXPECT_EQ(PendingMoveCount(), 0u);
  EXPECT_TRUE(othersAt(home - bar.m_nPosition));
}

TEST_F(Scrolling, OddStoredCountsGiveWholePages) {
  // Too many screens down for 16 bits: the largest count that fits, started
  // in its middle; text where a count belongs reads as the default.
  SetDword(m_key + "\\Screen", "Height", 1000);
  SetRaw(m_key + "\\Screen", "Width", REG_SZ, "abc", 4);
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(dialog.m_nWidth, 3);
  int low = -1, high = -1;
  GetScrollRange(dialog.m_wndHorizontalBar.m_ScrollBar.m_hWnd, SB_CTL, &low, &high);
  EXPECT_EQ(high, 2 * cx);
  CEdgeBar& vbar = dialog.m_wndVerticalBar;
  GetScrollRange(vbar.m_ScrollBar.m_hWnd, SB_CTL, &low, &high);
  EXPECT_EQ(high % cy, 0);
  EXPECT_GT(high + cy, 32767);
  EXPECT_EQ(vbar.m_nPosition, high / cy / 2 * cy);
}

}  // namespace
