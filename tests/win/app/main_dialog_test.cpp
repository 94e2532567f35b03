// The main window hosted in the test process.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "support/app_fixture.h"
#include "support/testsupport.h"

using namespace qovtest;

namespace {

class MainDialog : public AppTest {};

std::string MenuText(HMENU menu, int position) {
  char text[256] = "";
  GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
  return text;
}

// The stored values reach the working copies through their rules (whose
// cases are the native tests'); missing ones give the defaults.  Reading
// writes nothing back.
TEST_F(MainDialog, ReadsStoredValuesOrTheDefaults) {
  {
    CQovDesktopDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.m_nHeight, 3);
    EXPECT_EQ(dialog.m_nWidth, 3);
    EXPECT_EQ(dialog.m_bMoveAuto, 0);
    EXPECT_EQ(dialog.m_bFineFirst, 0);
    EXPECT_EQ(dialog.m_nWallPaperInterval, 10);
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(dialog.m_strWallPaperDirectory, windows);
  }
  SetDword(m_key + "\\Screen", "Height", 2);
  SetDword(m_key + "\\Screen", "Width", 7);
  SetDword(m_key + "\\Setting", "Move auto", 5);
  SetDword(m_key + "\\Setting", "Fine first", 0xFFFFFFFFu);
  SetDword(m_key + "\\Setting", "Wall paper interval", 0xFFFFFFF6u);  // -10
  SetRaw(m_key + "\\Setting", "Wall paper directory", REG_SZ, "C:\\壁紙", 8);
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  EXPECT_EQ(dialog.m_nHeight, 2);
  EXPECT_EQ(dialog.m_nWidth, 7);
  EXPECT_EQ(dialog.m_bMoveAuto, 1);
  EXPECT_EQ(dialog.m_bFineFirst, 1);
  EXPECT_EQ(dialog.m_nWallPaperInterval, 1);
  EXPECT_EQ(dialog.m_strWallPaperDirectory, "C:\\壁紙");
  EXPECT_EQ(ValueCount(m_key + "\\Screen"), 2);
  EXPECT_EQ(ValueCount(m_key + "\\Setting"), 4);
}

TEST_F(MainDialog, IsAnUnseenWindowWithATaskbarButton) {
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HWND hwnd = dialog.m_hWnd;
  EXPECT_EQ(WindowText(hwnd), "Qovデスクトップ");
  EXPECT_EQ(WindowText(hwnd), "\x51\x6f\x76\x83\x66\x83\x58\x83\x4e\x83\x67\x83\x62\x83\x76");
  LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  LONG exStyle = GetWindowLongA(hwnd, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
  EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW);

  ShowWindow(hwnd, SW_SHOW);
  Pump(50);
  RECT window, screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT overlap;
  GetWindowRect(hwnd, &window);
  EXPECT_FALSE(IntersectRect(&overlap, &window, &screen))
      << window.left << "," << window.top << "," << window.right << "," << window.bottom;
  // Any later size change puts it back above the screen.
  SetWindowPos(hwnd, nullptr, 100, 100, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(hwnd, &window);
  EXPECT_FALSE(IntersectRect(&overlap, &window, &screen));
  EXPECT_EQ(window.left, 0);
  EXPECT_EQ(window.top, -200);

  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_QUERYDRAGICON, 0, 0)), dialog.m_hIcon);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0)), dialog.m_hIcon);
  EXPECT_NE(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_NE(dialog.m_hIcon, nullptr);
}

TEST_F(MainDialog, SystemMenuReadsAsTabled) {
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HMENU menu = GetSystemMenu(dialog.m_hWnd, FALSE);
  ASSERT_NE(menu, nullptr);
  struct Item {
    UINT id;
    const char* text;
  } const expected[] = {
      {SC_CLOSE, "Qovデスクトップの終了"},
      {static_cast<UINT>(-1), "閉じる"},
      {ID_SYS_SETTINGS, "設定..."},
      {ID_SYS_JUMP, "ジャンプ"},
      {ID_SYS_RESOURCES, "リソースの表示"},
      {ID_SYS_SCREENSAVER, "スクリーンセーバーの実行"},
      {0, ""},
      {ID_SYS_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(QovDesktop) (&A)..."},
  };
  std::string items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i)
    items += std::to_string(GetMenuItemID(menu, i)) + " " + MenuText(menu, i) + "\n";
  ASSERT_EQ(GetMenuItemCount(menu), 8) << items;
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(GetMenuItemID(menu, i), expected[i].id) << "position " << i;
    EXPECT_EQ(MenuText(menu, i), expected[i].text) << "position " << i;
  }
  EXPECT_TRUE(GetMenuState(menu, 6, MF_BYPOSITION) & MF_SEPARATOR);
  HMENU close = GetSubMenu(menu, 1);
  ASSERT_EQ(close, dialog.m_menuClose.m_hMenu);
  ASSERT_EQ(GetMenuItemCount(close), 3);
  EXPECT_EQ(GetMenuItemID(close, 0), static_cast<UINT>(ID_SYS_CLOSE_FOLDERS));
  EXPECT_EQ(MenuText(close, 0), "フォルダ");
  EXPECT_EQ(GetMenuItemID(close, 1), static_cast<UINT>(ID_SYS_CLOSE_BROWSERS));
  EXPECT_EQ(MenuText(close, 1), "インターネットエクスプローラ");
  EXPECT_EQ(GetMenuItemID(close, 2), static_cast<UINT>(ID_SYS_CLOSE_ALL));
  EXPECT_EQ(MenuText(close, 2), "すべてのアプリケーション");
  EXPECT_EQ(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1));
}

// The ticks of this thread's timers, as the queue hands them out.
std::vector<std::pair<UINT_PTR, DWORD>> g_ticks;
LRESULT CALLBACK NoteTimer(int code, WPARAM removed, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && removed == PM_REMOVE && msg->message == WM_TIMER)
    g_ticks.emplace_back(msg->wParam, GetTickCount());
  return CallNextHookEx(nullptr, code, removed, lParam);
}

TEST_F(MainDialog, FollowsEverySecondAndChangesTheWallPaperAfterTheInterval) {
  SetDword(m_key + "\\Setting", "Wall paper interval", 1);
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, NoteTimer, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  g_ticks.clear();
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  Pump(3400);
  UnhookWindowsHookEx(hook);
  EXPECT_TRUE(KillTimer(dialog.m_hWnd, CQovDesktopDialog::kWallPaperTimer));
  dialog.DestroyWindow();
  // Three ticks of the follow timer a second apart; the wallpaper timer's
  // minute has not come.
  std::vector<DWORD> follow;
  for (const auto& tick : g_ticks) {
    EXPECT_EQ(tick.first, static_cast<UINT_PTR>(CQovDesktopDialog::kFollowTimer));
    if (tick.first == CQovDesktopDialog::kFollowTimer) follow.push_back(tick.second);
  }
  ASSERT_GE(follow.size(), 2u);
  EXPECT_LE(follow.size(), 4u);
  for (size_t i = 1; i < follow.size(); ++i) {
    EXPECT_GE(follow[i] - follow[i - 1], 700u);
    EXPECT_LE(follow[i] - follow[i - 1], 1600u);
  }
}

TEST_F(MainDialog, EndsOnOkCancelAndClose) {
  for (UINT how : {0u, 1u, 2u, 3u}) {
    CQovDesktopDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HWND hwnd = dialog.m_hWnd;
    switch (how) {
      case 0: SendMessageA(hwnd, WM_COMMAND, IDOK, 0); break;
      case 1: SendMessageA(hwnd, WM_COMMAND, IDCANCEL, 0); break;
      case 2: SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); break;
      case 3: SendMessageA(hwnd, WM_CLOSE, 0, 0); break;
    }
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hwnd); }, 2000)) << "way " << how;
    EXPECT_EQ(dialog.m_hWnd, nullptr);
  }
}

TEST_F(MainDialog, HooksTheDesktopIconWindowsThreadUntilDestroyed) {
  AppKeyGuard library("QovDesktop");
  const std::string setting = "Software\\QovSoft\\QovDesktop\\Setting";
  ShellStandIn shell;
  ASSERT_TRUE(shell.Started());
  SetRaw(setting, "Desktop icon", REG_SZ, "Small", 6);
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  EXPECT_TRUE(WaitUntil([&] { return shell.View() == LVS_SMALLICON; }));
  // The hook sits on the list view's own thread, not on the shell's main one.
  SetRaw(setting, "Desktop icon", REG_SZ, "Large", 6);
  ASSERT_TRUE(shell.PostAndWait());
  EXPECT_EQ(shell.View(), static_cast<DWORD>(LVS_ICON));
  // Destroying the window removes the hook; this thread, which set it, lives on.
  dialog.DestroyWindow();
  SetRaw(setting, "Desktop icon", REG_SZ, "Small", 6);
  ASSERT_TRUE(shell.PostAndWait(5));
  EXPECT_EQ(shell.View(), static_cast<DWORD>(LVS_ICON));
}

}  // namespace
