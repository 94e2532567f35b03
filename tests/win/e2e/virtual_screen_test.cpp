// Following the active window and jumping to it, with the real program.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "support/testsupport.h"

using namespace qovtest;

namespace {

POINT TopLeft(HWND hwnd) {
  RECT r = WindowRect(hwnd);
  return {r.left, r.top};
}

::testing::AssertionResult At(HWND hwnd, int x, int y) {
  POINT p = TopLeft(hwnd);
  if (p.x == x && p.y == y) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "at " << p.x << "," << p.y;
}

TEST(Follow, MoveAutoBringsEachNewlyActiveWindowIntoTheCorner) {
  RunningProgram program("Auto");
  SetDword(program.Key() + "\\Setting", "Move auto", 1);
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Target|300,200,320,240|", "|Other|500,400,200,150|",
                          "|Target|120,110,200,150|", "|Fresh|50,60,200,150|"}));
  HWND target = host.Windows()[0], other = host.Windows()[1], twin = host.Windows()[2],
       fresh = host.Windows()[3];
  ASSERT_TRUE(program.Start());

  ASSERT_TRUE(Activate(target));
  // Within a tick the view jumps so that the window's corner is the screen's;
  // every window moves with it.
  WaitUntil([&] { return At(target, 0, 0) && At(other, 200, 200) && At(twin, -180, -90); }, 3000);
  EXPECT_TRUE(At(target, 0, 0));
  EXPECT_TRUE(At(other, 200, 200));
  EXPECT_TRUE(At(twin, -180, -90));

  // A window under the title recorded last is not recorded again.
  ASSERT_TRUE(Activate(twin));
  Pump(2500);
  EXPECT_TRUE(At(twin, -180, -90));
  EXPECT_TRUE(At(target, 0, 0));

  // The twin is off the view on both axes and its corner inside the virtual
  // screen: a window with a new title brings the view along again.
  ASSERT_TRUE(Activate(fresh));
  WaitUntil([&] { return At(fresh, 0, 0) && At(target, 250, 140); }, 3000);
  EXPECT_TRUE(At(fresh, 0, 0));
  EXPECT_TRUE(At(target, 250, 140));

  PostMessageA(program.Main(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(program.EndsWithin(5000));
}

TEST(Follow, WithoutMoveAutoOnlyAMaximisedWindowOffTheViewIsFetched) {
  RunningProgram program("Max");
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Small|300,200,320,240|", "|Big|0,0,400,300|x"}));
  HWND small = host.Windows()[0], big = host.Windows()[1];
  ASSERT_TRUE(program.Start());
  HWND hbar = program.HorizontalBar(), vbar = program.VerticalBar();
  ASSERT_NE(hbar, nullptr);
  ASSERT_NE(vbar, nullptr);

  // Maximised on the view it stands a frame width beyond the corner: that
  // is no reason to move anything.
  const POINT bigBefore = TopLeft(big);
  ASSERT_TRUE(Activate(big));
  Pump(1500);
  EXPECT_TRUE(At(big, bigBefore.x, bigBefore.y));
  EXPECT_TRUE(At(small, 300, 200));
  ASSERT_TRUE(Activate(small));
  Pump(1500);  // recorded, but not fetched
  EXPECT_TRUE(At(small, 300, 200));

  // Scroll one page right and down: the maximised window leaves the view.
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  SendMessageA(hbar, WM_HSCROLL, SB_PAGERIGHT, reinterpret_cast<LPARAM>(GetTopWindow(hbar)));
  SendMessageA(vbar, WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(GetTopWindow(vbar)));
  ASSERT_TRUE(At(big, bigBefore.x - cx, bigBefore.y - cy));
  ASSERT_TRUE(At(small, 300 - cx, 200 - cy));

  ASSERT_TRUE(Activate(big));
  WaitUntil([&] { return At(big, 0, 0) && At(small, 300 - bigBefore.x, 200 - bigBefore.y); },
            3000);
  EXPECT_TRUE(At(big, 0, 0));
  EXPECT_TRUE(At(small, 300 - bigBefore.x, 200 - bigBefore.y));

  PostMessageA(program.Main(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(program.EndsWithin(5000));
}

// Ends the app-bar registrations that a killed run leaves with the shell.
void RemoveAppBar(HWND bar) {
  APPBARDATA data = {};
  data.cbSize = sizeof(data);
  data.hWnd = bar;
  SHAppBarMessage(ABM_REMOVE, &data);
}

TEST(View, AKilledRunsSuccessorAndANormalEndBringWindowsHome) {
  RunningProgram program("Home");
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Away|300,200,320,240|"}));
  HWND away = host.Windows()[0];
  ASSERT_TRUE(program.Start());
  const std::string view = program.Key() + "\\View";
  EXPECT_FALSE(KeyExists(view));  // nothing kept at the start position
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  auto scroll = [&](bool horizontal, int code) {
    HWND bar = horizontal ? program.HorizontalBar() : program.VerticalBar();
    SendMessageA(bar, horizontal ? WM_HSCROLL : WM_VSCROLL, code,
                 reinterpret_cast<LPARAM>(GetTopWindow(bar)));
  };
  scroll(true, SB_PAGERIGHT);
  scroll(false, SB_PAGEDOWN);
  ASSERT_TRUE(At(away, 300 - cx, 200 - cy));
  EXPECT_TRUE(KeyExists(view));

  // Killed while scrolled: the next start knows where the windows are.
  const HWND deadBars[] = {program.HorizontalBar(), program.VerticalBar()};
  program.Proc().Kill();
  ASSERT_TRUE(program.Start());
  // Wine's shell still counts the dead bars; the new ones stand 24 px thick.
  RECT v = WindowRect(program.VerticalBar());
  EXPECT_EQ(v.right - v.left, 24);
  for (HWND bar : deadBars) RemoveAppBar(bar);
  scroll(true, SB_PAGELEFT);
  scroll(false, SB_PAGEUP);
  EXPECT_TRUE(At(away, 300, 200));
  EXPECT_FALSE(KeyExists(view));

  // Ended from its menu while scrolled, it brings the windows home first.
  scroll(true, SB_PAGELEFT);
  ASSERT_TRUE(At(away, 300 + cx, 200));
  PostMessageA(program.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(program.EndsWithin(5000));
  EXPECT_TRUE(At(away, 300, 200));
  EXPECT_FALSE(KeyExists(view));
}

}  // namespace
