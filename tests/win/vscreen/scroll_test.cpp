// Scrolling the virtual screen: bars hosted here, windows of another program moved.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "app/QovDesktopDialog.h"
#include "support/app_fixture.h"
#include "support/testsupport.h"
#include "vscreen/EdgeBar.h"
#include "vscreen/WindowMover.h"

using namespace qovtest;

namespace {

class Scrolling : public AppTest {};

// Sends a scroll code to a bar as its scroll bar control would.
void Scroll(CEdgeBar& bar, bool horizontal, int code, int thumb = 0) {
  SendMessageA(bar.m_hWnd, horizontal ? WM_HSCROLL : WM_VSCROLL,
               MAKEWPARAM(code, static_cast<WORD>(thumb)),
               reinterpret_cast<LPARAM>(bar.m_ScrollBar.m_hWnd));
}

POINT TopLeft(HWND hwnd) {
  RECT r = WindowRect(hwnd);
  return {r.left, r.top};
}

TEST_F(Scrolling, MovesTitledWindowsAndKeepsTheViewUntilTheSessionEnds) {
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Shown|200,150,300,200|", "|Owned|260,210,200,100|o",
                          "|Hidden|140,160,300,200|h", "|Iconic|180,200,300,200|m"}));
  HWND moved[] = {host.Find("Shown"), host.Find("Owned"), host.Find("Hidden")};
  HWND iconic = host.Find("Iconic");
  ASSERT_EQ(GetWindow(moved[1], GW_OWNER), moved[0]);
  WINDOWPLACEMENT iconicBefore = {sizeof(iconicBefore)};
  GetWindowPlacement(iconic, &iconicBefore);
  POINT start[3];
  for (int i = 0; i < 3; ++i) start[i] = TopLeft(moved[i]);

  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar& hbar = dialog.m_wndHorizontalBar;
  CEdgeBar& vbar = dialog.m_wndVerticalBar;
  Scroll(hbar, true, SB_PAGERIGHT);
  Scroll(vbar, false, SB_THUMBTRACK, vbar.m_nPageSize + 100);
  const int dx = -hbar.m_nPageSize, dy = -100;  // from the middle of three screens
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(TopLeft(moved[i]).x == start[i].x + dx && TopLeft(moved[i]).y == start[i].y + dy);
  WINDOWPLACEMENT iconicAfter = {sizeof(iconicAfter)};
  GetWindowPlacement(iconic, &iconicAfter);
  EXPECT_EQ(iconicAfter.rcNormalPosition.left, iconicBefore.rcNormalPosition.left);
  EXPECT_TRUE(KeyExists(m_key + "\\View"));  // away from the start

  SendMessageA(dialog.m_hWnd, WM_ENDSESSION, TRUE, 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(TopLeft(moved[i]).x, start[i].x) << i;
  EXPECT_FALSE(KeyExists(m_key + "\\View"));
}

TEST_F(Scrolling, AProgramThatDoesNotAnswerHoldsUpNoScroll) {
  WindowHost stuck;
  ASSERT_TRUE(stuck.Start({"|Stuck|300,250,200,150|"}));
  HWND hung = stuck.Windows()[0];
  const POINT hungStart = TopLeft(hung);
  CHorizontalScrollDialog bar;
  EdgeBarSettings settings;
  settings.screenCount = 3;
  ASSERT_TRUE(bar.Create(nullptr, settings));
  const int home = bar.m_nPosition;

  stuck.Hang(6000);
  Sleep(200);
  const DWORD t0 = GetTickCount();
  Scroll(bar, true, SB_PAGERIGHT);
  // A drag while it sleeps: each message moves it on from where it is going.
  for (int i = 1; i <= 60; ++i) Scroll(bar, true, SB_THUMBTRACK, bar.Maximum() * (60 - i) / 60 + 7);
  const int dx = home - bar.m_nPosition;
  EXPECT_LT(GetTickCount() - t0, 5000u);  // waiting on it would take until it wakes
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(hung).x == hungStart.x + dx; }, 10000));

  // Destroyed while a move of it is pending: nothing is left behind.
  stuck.Hang(10000);
  Sleep(200);
  Scroll(bar, true, SB_PAGELEFT);
  EXPECT_GT(PendingMoveCount(), 0u);
  stuck.Proc().Kill();
  Pump(1200);
  Scroll(bar, true, SB_LINELEFT);
  EXPECT_EQ(PendingMoveCount(), 0u);
}

}  // namespace
