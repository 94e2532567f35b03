// The system menu's commands, the main window hosted in the test process.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shlwapi.h>

#include <string>

#include "app/QovDesktopDialog.h"
#include "resdisplay/ResourceDialog.h"
#include "settings/ScreenSaverFile.h"
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

// The menu a user sees, the jump to the recorded window, and the screen saver:
// asked for once in the system directory, then started from the stored path.
TEST_F(SystemCommands, MenuJumpAndScreenSaver) {
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HMENU menu = GetSystemMenu(dialog.m_hWnd, FALSE);
  std::string items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[128] = "";
    GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
    items += std::to_string(static_cast<int>(GetMenuItemID(menu, i))) + " " + text + "\n";
  }
  EXPECT_EQ(items, "61536 Qovデスクトップの終了\n-1 閉じる\n101 設定...\n102 ジャンプ\n"
                   "103 リソースの表示\n104 スクリーンセーバーの実行\n0 \n"
                   "16 ﾊﾞｰｼﾞｮﾝ情報(QovDesktop) (&A)...\n");

  WindowHost host;
  ASSERT_TRUE(host.Start({"|Recorded|100,120,300,200|"}));
  dialog.m_nRecordedLeft = 100;
  dialog.m_nRecordedTop = 120;
  SendMessageA(dialog.m_hWnd, WM_SYSCOMMAND, ID_SYS_JUMP, 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowRect(host.Find("Recorded")).left == 0; }));
  EXPECT_EQ(WindowRect(host.Find("Recorded")).top, 0);

  const char* saverKey = "Software\\QovSoft\\QovTestSaver";  // where qov_saver.scr notes its runs
  SHDeleteKeyA(HKEY_CURRENT_USER, saverKey);
  auto runs = [&] {
    DWORD value = 0, size = sizeof(value);
    RegGetValueA(HKEY_CURRENT_USER, saverKey, "Runs", RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
  };
  std::string folder;
  for (const char* choice : {"", "qov_saver.scr", static_cast<const char*>(nullptr)}) {
    ModalDriver file([&] { return FindOwnedDialog(dialog.m_hWnd); }, [&](HWND box) {
      char path[MAX_PATH] = "";
      SendMessageA(box, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
      folder = path;
      SetDlgItemTextA(box, cmb13, HelperPath(choice ? choice : "").c_str());
      SendMessageA(box, WM_COMMAND, choice && *choice ? IDOK : IDCANCEL, 0);
    }, 1500);
    SendMessageA(dialog.m_hWnd, WM_SYSCOMMAND, ID_SYS_SCREENSAVER, 0);
    EXPECT_EQ(file.Runs(), choice ? 1 : 0);  // asked until a file was chosen
  }
  EXPECT_EQ(lstrcmpiA(folder.c_str(), SystemDirectory().c_str()), 0) << folder;
  EXPECT_TRUE(WaitUntil([&] { return runs() == 2; }));
  SHDeleteKeyA(HKEY_CURRENT_USER, saverKey);
}
