// QovDesktop.exe and QOV32.dll together: while the program runs, the shell's
// desktop thread shows the stored icon view at each message it takes and
// passes the message on; when it ends, the hook goes with it.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "support/testsupport.h"
#include "tools/shell_standin.h"

using namespace qovtest;

namespace {

// The library reads the setting under the delivered program's own name.
const char kDesktopKey[] = "Software\\QovSoft\\QovDesktop\\Setting";

TEST(DesktopHookEndToEnd, StoredSmallTurnsTheShellsIconsSmallUntilTheProgramEnds) {
  AppKeyGuard library("QovDesktop");
  ShellStandIn shell(WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_AUTOARRANGE);
  ASSERT_TRUE(shell.Started());
  SetRaw(kDesktopKey, "Desktop icon", REG_SZ, "Small", 6);
  {
    RunningProgram program("Hook");
    ASSERT_TRUE(program.Start());
    EXPECT_TRUE(WaitUntil([&] { return shell.Style() == (WS_CHILD | WS_VISIBLE | LVS_SMALLICON |
                                                         LVS_AUTOARRANGE); }));
    // A view someone else set is set back at the next message, which goes on
    // to the thread's other hooks.
    shell.SetStyle(WS_CHILD | WS_VISIBLE | LVS_REPORT);
    const LRESULT chained = shell.Ask(shellstandin::kQueryChainedMessages);
    ASSERT_TRUE(shell.PostAndWait(5));
    EXPECT_EQ(shell.View(), static_cast<DWORD>(LVS_SMALLICON));
    EXPECT_GE(shell.Ask(shellstandin::kQueryChainedMessages), chained + 5);
    PostMessageA(program.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.EndsWithin(5000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
  }
  // Ended, the program has taken its hook away: the value does nothing more.
  SetRaw(kDesktopKey, "Desktop icon", REG_SZ, "Large", 6);
  ASSERT_TRUE(shell.PostAndWait(5));
  EXPECT_EQ(shell.View(), static_cast<DWORD>(LVS_SMALLICON));
}

}  // namespace
