// Bringing the windows home after a killed run and at the end, with the real program.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "support/testsupport.h"

using namespace qovtest;

namespace {

::testing::AssertionResult At(HWND hwnd, int x, int y) {
  RECT r = WindowRect(hwnd);
  if (r.left == x && r.top == y) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "at " << r.left << "," << r.top;
}

TEST(View, AKilledRunsSuccessorAndANormalEndBringWindowsHome) {
  RunningProgram program("Home");
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Away|300,200,320,240|"}));
  HWND away = host.Windows()[0];
  ASSERT_TRUE(program.Start());
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  auto scroll = [&](bool horizontal, int code) {
    HWND bar = horizontal ? program.HorizontalBar() : program.VerticalBar();
    SendMessageA(bar, horizontal ? WM_HSCROLL : WM_VSCROLL, code,
                 reinterpret_cast<LPARAM>(GetTopWindow(bar)));
  };
  scroll(true, SB_PAGERIGHT);
  scroll(false, SB_PAGEDOWN);
  ASSERT_TRUE(At(away, 300 - cx, 200 - cy));

  // Killed while scrolled: the next start knows where the windows are.
  const HWND deadBars[] = {program.HorizontalBar(), program.VerticalBar()};
  program.Proc().Kill();
  ASSERT_TRUE(program.Start());
  // Wine's shell still counts the dead bars; the new ones stand 24 px thick.
  RECT v = WindowRect(program.VerticalBar());
  EXPECT_EQ(v.right - v.left, 24);
  for (HWND bar : deadBars) {
    APPBARDATA data = {sizeof(data), bar};
    SHAppBarMessage(ABM_REMOVE, &data);
  }
  scroll(true, SB_PAGELEFT);
  scroll(false, SB_PAGEUP);
  EXPECT_TRUE(At(away, 300, 200));

  // Ended from its menu while scrolled, it brings the windows home first.
  scroll(true, SB_PAGELEFT);
  ASSERT_TRUE(At(away, 300 + cx, 200));
  PostMessageA(program.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(program.EndsWithin(5000));
  EXPECT_TRUE(At(away, 300, 200));
  EXPECT_FALSE(KeyExists(program.Key() + "\\View"));
}

}  // namespace
