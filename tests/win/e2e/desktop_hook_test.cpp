// QovDesktop.exe and QOV32.dll together: the program binds the library when
// it is loaded and hooks the shell's desktop thread while it runs.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "support/testsupport.h"

using namespace qovtest;

namespace {

// The library reads the setting under the delivered program's own name.
const char kDesktopKey[] = "Software\\QovSoft\\QovDesktop\\Setting";

void SetDesktopIcon(const char* text) {
  SetRaw(kDesktopKey, "Desktop icon", REG_SZ, text, static_cast<DWORD>(strlen(text) + 1));
}

TEST(DesktopHookEndToEnd, StoredSmallTurnsTheShellsIconsSmallUntilTheProgramEnds) {
  AppKeyGuard library("QovDesktop");
  ShellStandIn shell(WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_AUTOARRANGE);
  ASSERT_TRUE(shell.Started());
  SetDesktopIcon("Small");
  {
    RunningProgram program("Hook");
    ASSERT_TRUE(program.Start());
    EXPECT_TRUE(WaitUntil([&] { return shell.View() == LVS_SMALLICON; }));
    EXPECT_TRUE(shell.Style() & LVS_AUTOARRANGE);
    PostMessageA(program.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.EndsWithin(5000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
  }
  // Ended, the program has taken its hook away: the value does nothing more.
  SetDesktopIcon("Large");
  ASSERT_TRUE(shell.PostAndWait(5));
  EXPECT_EQ(shell.View(), static_cast<DWORD>(LVS_SMALLICON));
}

TEST(DesktopHookEndToEnd, RunsWithoutTheHookWhenThereIsNoShellWindow) {
  ASSERT_EQ(FindWindowA("ProgMan", nullptr), nullptr);
  RunningProgram program("NoShell");
  ASSERT_TRUE(program.Start());
  PostMessageA(program.Main(), WM_COMMAND, IDCANCEL, 0);
  DWORD exitCode = 1;
  EXPECT_TRUE(program.EndsWithin(5000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
}

TEST(DesktopHookEndToEnd, DoesNotStartWithoutTheLibraryBesideIt) {
  RunningProgram program("NoLibrary");
  ASSERT_TRUE(DeleteFileA((program.Copy().Dir() + "\\QOV32.dll").c_str()));
  EXPECT_FALSE(program.Start());
  DWORD exitCode = 0;
  ASSERT_TRUE(program.EndsWithin(10000, &exitCode));
  EXPECT_EQ(exitCode, 0xC0000135u);  // STATUS_DLL_NOT_FOUND
}

}  // namespace
