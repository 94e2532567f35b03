// The commands of the main window's system menu, the main window hosted in
// the test process, other programs' windows in a host process.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/QovDesktopDialog.h"
#include "resdisplay/ResourceDialog.h"
#include "support/app_fixture.h"

using namespace qovtest;

class SystemCommands : public AppTest {};

// The close commands hand each window's class, title and visibility to their
// rule (whose cases are the native tests') and post WM_CLOSE to what it
// chooses: a program that does not answer holds nothing up.
TEST_F(SystemCommands, CloseCommandsPostCloseToTheWindowsTheirRuleChooses) {
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  auto command = [&](UINT id) { SendMessageA(dialog.m_hWnd, WM_SYSCOMMAND, id, 0); };
  WindowHost host;
  ASSERT_TRUE(host.Start({"CabinetWClass|Folder|10,10,200,150|", "IEFrame|Browser|20,20,200,150|",
                          "|Hidden tool|40,40,200,150|h", "|Editor|50,50,200,150|"}));
  const std::vector<HWND> w = host.Windows();
  command(ID_SYS_CLOSE_BROWSERS);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(w[1]); }));
  Pump(300);
  EXPECT_TRUE(IsWindow(w[0]));
  host.Hang(2500);
  Sleep(300);
  const DWORD start = GetTickCount();
  command(ID_SYS_CLOSE_FOLDERS);
  EXPECT_LT(GetTickCount() - start, 1000u);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(w[0]); }));
  command(ID_SYS_CLOSE_ALL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(w[3]); }));
  // Spared: hidden windows, the main window by its title, the bars as untitled.
  EXPECT_TRUE(IsWindow(w[2]) && IsWindow(dialog.m_hWnd) &&
              IsWindow(dialog.m_wndVerticalBar.m_hWnd) &&
              IsWindow(dialog.m_wndHorizontalBar.m_hWnd));
}

// The resource display's close box stops its refresh timer before the dialog
// ends; OK leaves it to end with the window.
TEST_F(SystemCommands, ResourceDisplaysCloseBoxStopsItsTimer) {
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  for (UINT message : {WM_CLOSE, WM_COMMAND}) {
    BOOL timerWasSet = FALSE;
    ModalDriver driver(
        [&] { return FindOwnedDialog(dialog.m_hWnd, "リソースの表示　－Qovデスクトップ－"); },
        [&](HWND display) {
          SendMessageA(display, message, IDOK, 0);
          // The dialog has ended; its window lives until its loop returns.
          timerWasSet = KillTimer(display, CResourceDialog::kRefreshTimer);
        });
    SendMessageA(dialog.m_hWnd, WM_SYSCOMMAND, ID_SYS_RESOURCES, 0);
    ASSERT_EQ(driver.Runs(), 1);
    EXPECT_EQ(timerWasSet, message == WM_COMMAND) << message;
  }
}
