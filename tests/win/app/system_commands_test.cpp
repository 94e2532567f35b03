// The system menu's commands, the main window hosted in the test process.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/QovDesktopDialog.h"
#include "resdisplay/ResourceDialog.h"
#include "support/app_fixture.h"

using namespace qovtest;

class SystemCommands : public AppTest {};

// The close commands post WM_CLOSE (a hung program holds nothing up) where their
// rule chooses.  The resource display's close box stops its timer; OK does not.
TEST_F(SystemCommands, CloseCommandsPostToWhatTheirRuleChoosesAndTheResourceDisplayEnds) {
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

  for (UINT message : {WM_CLOSE, WM_COMMAND}) {
    BOOL timerWasSet = FALSE;
    ModalDriver driver([&] { return FindOwnedDialog(dialog.m_hWnd); },
                       [&](HWND display) {
                         SendMessageA(display, message, IDOK, 0);
                         // The dialog has ended; its window lives until its loop returns.
                         timerWasSet = KillTimer(display, CResourceDialog::kRefreshTimer);
                       });
    command(ID_SYS_RESOURCES);
    ASSERT_EQ(driver.Runs(), 1);
    EXPECT_EQ(timerWasSet, message == WM_COMMAND) << message;
  }
}
