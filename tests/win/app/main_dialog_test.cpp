// The main window hosted in the test process.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "app/QovDesktopDialog.h"
#include "support/app_fixture.h"

using namespace qovtest;

// The times of the follow timer's ticks as the queue hands them out, and how
// many ticks of other timers came.
static std::vector<DWORD> g_followTicks;
static int g_otherTicks = 0;
static LRESULT CALLBACK NoteTimer(int code, WPARAM removed, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && removed == PM_REMOVE && msg->message == WM_TIMER) {
    if (msg->wParam == CQovDesktopDialog::kFollowTimer)
      g_followTicks.push_back(GetTickCount());
    else
      ++g_otherTicks;
  }
  return CallNextHookEx(nullptr, code, removed, lParam);
}

class MainDialog : public AppTest {};

// Stored values reach the working copies through their rules, whose cases
// are the native tests'; an empty directory stands for the Windows one.
TEST_F(MainDialog, FollowsEverySecondAndChangesTheWallPaperAfterTheInterval) {
  SetDword(m_key + "\\Screen", "Height", 2);
  SetDword(m_key + "\\Screen", "Width", 7);
  SetDword(m_key + "\\Setting", "Move auto", 5);
  SetDword(m_key + "\\Setting", "Fine first", 1);
  SetDword(m_key + "\\Setting", "Wall paper interval", 0xFFFFFFF6u);  // -10: one minute
  SetRaw(m_key + "\\Setting", "Wall paper directory", REG_SZ, "", 1);
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, NoteTimer, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  Pump(3400);
  UnhookWindowsHookEx(hook);
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(dialog.m_strWallPaperDirectory, windows);
  EXPECT_EQ(dialog.m_nHeight, 2);
  EXPECT_EQ(dialog.m_nWidth, 7);
  EXPECT_EQ(dialog.m_bMoveAuto, 1);
  EXPECT_EQ(dialog.m_bFineFirst, 1);
  EXPECT_EQ(dialog.m_nWallPaperInterval, 1);
  // The wallpaper timer runs, but its minute has not come.
  EXPECT_TRUE(KillTimer(dialog.m_hWnd, CQovDesktopDialog::kWallPaperTimer));
  EXPECT_EQ(g_otherTicks, 0);
  ASSERT_GE(g_followTicks.size(), 2u);
  EXPECT_LE(g_followTicks.size(), 4u);
  for (size_t i = 1; i < g_followTicks.size(); ++i) {
    EXPECT_GE(g_followTicks[i] - g_followTicks[i - 1], 700u);
    EXPECT_LE(g_followTicks[i] - g_followTicks[i - 1], 1600u);
  }
}
