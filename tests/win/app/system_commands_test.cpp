// The commands of the main window's system menu, the main window hosted in
// the test process, other programs' windows in a host process.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "app/ScreenSaver.h"
#include "resdisplay/ResourceDialog.h"
#include "support/app_fixture.h"
#include "support/testsupport.h"

using namespace qovtest;

namespace {

class SystemCommands : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    ASSERT_TRUE(m_dialog.Create());
    m_app.SetMainWnd(&m_dialog);
  }
  void TearDown() override {
    m_dialog.DestroyWindow();
    m_app.SetMainWnd(nullptr);
    AppTest::TearDown();
  }
  void Command(UINT id) { SendMessageA(m_dialog.m_hWnd, WM_SYSCOMMAND, id, 0); }

  CQovDesktopDialog m_dialog;
};

int Closes(HWND hwnd) { return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(hwnd, "closes"))); }

// Lets every window of the host answer what was posted to it.
void Settle() { Pump(300); }

// The close commands hand each window's class, title and visibility to the
// filter rules and post WM_CLOSE to what they choose; the rules' cases are
// the native tests'.
TEST_F(SystemCommands, CloseCommandsPostCloseToTheWindowsTheirRuleChooses) {
  WindowHost host;
  ASSERT_TRUE(host.Start({"CabinetWClass|Folder|10,10,200,150|h", "IEFrame|Browser|20,20,200,150|",
                          "|Asks first|30,30,200,150|r", "|Hidden tool|40,40,200,150|h",
                          "Progman|Program Manager|0,0,200,150|", "|Editor|50,50,200,150|"}));
  const std::vector<HWND> w = host.Windows();
  // A window of this thread shows that WM_CLOSE is posted: nothing arrives
  // before the command has returned and the queue is pumped.
  struct Local {
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
      if (message != WM_CLOSE) return DefWindowProcA(hwnd, message, wParam, lParam);
      SetPropA(hwnd, "closes", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(Closes(hwnd) + 1)));
      return 0;
    }
  };
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Local::Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QovCloseAllLocal";
  RegisterClassA(&wc);
  HWND local = CreateWindowExA(0, wc.lpszClassName, "Local", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80,
                               80, 200, 150, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(local, nullptr);

  Command(ID_SYS_CLOSE_FOLDERS);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(w[0]); }));
  Settle();
  EXPECT_TRUE(IsWindow(w[1]));
  Command(ID_SYS_CLOSE_BROWSERS);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(w[1]); }));
  Settle();
  for (int i : {2, 3, 4, 5}) EXPECT_EQ(Closes(w[i]), 0) << i;

  Command(ID_SYS_CLOSE_ALL);
  EXPECT_EQ(Closes(local), 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(w[5]); }));
  Settle();
  EXPECT_EQ(Closes(local), 1);
  EXPECT_EQ(Closes(w[2]), 1);  // asked, and it said no
  EXPECT_EQ(Closes(w[3]), 0);
  EXPECT_EQ(Closes(w[4]), 0);
  // The program's own windows: the main window by its title, the bars as untitled.
  for (HWND own : {m_dialog.m_hWnd, m_dialog.m_wndVerticalBar.m_hWnd,
                   m_dialog.m_wndHorizontalBar.m_hWnd})
    EXPECT_TRUE(IsWindow(own));
  DestroyWindow(local);
  UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

TEST_F(SystemCommands, JumpBringsTheRecordedWindowIntoView) {
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Recorded|100,120,300,200|"}));
  HWND window = host.Find("Recorded");
  const RECT before = WindowRect(window);
  CEdgeBar& across = m_dialog.m_wndHorizontalBar;
  CEdgeBar& down = m_dialog.m_wndVerticalBar;
  const int x = across.m_nPosition, y = down.m_nPosition;
  m_dialog.m_nRecordedLeft = before.left;
  m_dialog.m_nRecordedTop = before.top;
  Command(ID_SYS_JUMP);
  EXPECT_TRUE(WaitUntil([&] { return WindowRect(window).left == 0 && WindowRect(window).top == 0; }))
      << WindowRect(window).left << "," << WindowRect(window).top;
  EXPECT_EQ(across.m_nPosition, x + before.left);
  EXPECT_EQ(down.m_nPosition, y + before.top);
}

TEST_F(SystemCommands, AboutBoxShowsFourLinesAndClosesOnOkOrEscape) {
  for (UINT close : {IDOK, IDCANCEL}) {
    std::vector<std::string> lines;
    BOOL mainEnabled = TRUE;
    ModalDriver driver(
        [&] { return FindOwnedDialog(m_dialog.m_hWnd, "ﾊﾞｰｼﾞｮﾝ情報 QovDesktop"); },
        [&](HWND about) {
          lines = StaticTexts(about);
          mainEnabled = IsWindowEnabled(m_dialog.m_hWnd);
          SendMessageA(about, WM_COMMAND, close, 0);
        });
    Command(ID_SYS_ABOUT);
    ASSERT_EQ(driver.Runs(), 1);
    EXPECT_FALSE(mainEnabled);  // modal over the main window
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "QovDesktop Version 1.12");
    for (const std::string& line : lines) EXPECT_FALSE(line.empty());
  }
  // Any command 16 to 31 is the about box (the low four bits are the system's).
  ModalDriver driver([&] { return FindOwnedDialog(m_dialog.m_hWnd); },
                     [](HWND about) { SendMessageA(about, WM_COMMAND, IDCANCEL, 0); });
  Command(ID_SYS_ABOUT + 3);
  EXPECT_EQ(driver.Runs(), 1);
}

TEST_F(SystemCommands, ResourceDisplayIsModalAndItsCloseBoxStopsTheTimer) {
  // The close box stops the refresh timer before the dialog ends; OK leaves
  // it to end with the window.
  for (bool closeBox : {true, false}) {
    BOOL mainEnabled = TRUE, timerWasSet = FALSE;
    int rows = 0;
    ModalDriver driver(
        [&] {
          return FindOwnedDialog(m_dialog.m_hWnd, "リソースの表示　－Qovデスクトップ－");
        },
        [&](HWND display) {
          mainEnabled = IsWindowEnabled(m_dialog.m_hWnd);
          rows = static_cast<int>(SendDlgItemMessageA(display, IDC_DRIVE_LIST, LVM_GETITEMCOUNT, 0, 0));
          if (closeBox)
            SendMessageA(display, WM_CLOSE, 0, 0);
          else
            SendMessageA(display, WM_COMMAND, IDOK, 0);
          // The dialog has ended but its window lives until its loop returns.
          timerWasSet = KillTimer(display, CResourceDialog::kRefreshTimer);
        });
    Command(ID_SYS_RESOURCES);
    ASSERT_EQ(driver.Runs(), 1);
    EXPECT_FALSE(mainEnabled);
    EXPECT_GT(rows, 0);
    EXPECT_EQ(timerWasSet, closeBox ? FALSE : TRUE) << (closeBox ? "close box" : "OK");
    EXPECT_TRUE(IsWindowEnabled(m_dialog.m_hWnd));
  }
}

TEST_F(SystemCommands, StandardCommandsKeepTheirDefaultProcessing) {
  // Commands the program does not know change nothing...
  for (UINT id : {0u, 100u, 108u, 9001u})
    Command(id);
  HWND hwnd = m_dialog.m_hWnd;
  EXPECT_TRUE(IsWindow(hwnd));
  // ...and SC_CLOSE still ends the main window.
  Command(SC_CLOSE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hwnd); }, 2000));
}

// The stand-in screen saver's notes (tests/win/tools/saver.cpp).
const char kSaverKey[] = "Software\\QovSoft\\QovTestSaver";

std::string SaverNote(const char* value) {
  char text[MAX_PATH * 2] = "";
  DWORD size = sizeof(text);
  RegGetValueA(HKEY_CURRENT_USER, kSaverKey, value, RRF_RT_REG_SZ, nullptr, text, &size);
  return text;
}

DWORD SaverRuns() {
  DWORD runs = 0, size = sizeof(runs);
  RegGetValueA(HKEY_CURRENT_USER, kSaverKey, "Runs", RRF_RT_REG_DWORD, nullptr, &runs, &size);
  return runs;
}

class ScreenSaver : public SystemCommands {
 protected:
  void SetUp() override {
    SystemCommands::SetUp();
    RegDeleteKeyA(HKEY_CURRENT_USER, kSaverKey);
  }
  void TearDown() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, kSaverKey);
    SystemCommands::TearDown();
  }
  HWND FindFileDialog() const { return FindOwnedDialog(m_dialog.m_hWnd); }
  std::string Stored() const {
    return m_app.ReadStringSetting("Setting", "Screen saver", "<none>");
  }
};

TEST_F(ScreenSaver, FirstCommandAsksInTheSystemDirectoryThenStartsTheStoredFile) {
  const std::string saver = HelperPath("qov_saver.scr");
  const std::string system = SystemDirectory();
  ASSERT_FALSE(system.empty());

  // Cancelled: nothing is started or stored, and the next command asks again.
  for (int attempt = 0; attempt < 2; ++attempt) {
    ModalDriver cancel([&] { return FindFileDialog(); },
                       [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    Command(ID_SYS_SCREENSAVER);
    EXPECT_EQ(cancel.Runs(), 1) << attempt;
  }
  EXPECT_FALSE(ValueExists(m_key + "\\Setting", "Screen saver"));

  std::string folder;
  std::vector<std::string> filters;
  int filter = -1;
  bool readOnlyBox = false;
  ModalDriver choose([&] { return FindFileDialog(); },
                     [&](HWND dialog) {
                       char path[MAX_PATH] = "";
                       SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
                       folder = path;
                       HWND types = GetDlgItem(dialog, cmb1);
                       const int count = static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0));
                       for (int i = 0; i < count; ++i) {
                         char text[256] = "";
                         SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                         filters.push_back(text);
                       }
                       filter = static_cast<int>(SendMessageA(types, CB_GETCURSEL, 0, 0));
                       readOnlyBox = IsWindowVisible(GetDlgItem(dialog, chx1)) != FALSE;
                       SetDlgItemTextA(dialog, cmb13, saver.c_str());
                       SendMessageA(dialog, WM_COMMAND, IDOK, 0);
                     });
  Command(ID_SYS_SCREENSAVER);
  ASSERT_EQ(choose.Runs(), 1);
  EXPECT_EQ(lstrcmpiA(folder.c_str(), system.c_str()), 0) << folder;
  EXPECT_EQ(filters, (std::vector<std::string>{"ｽｸﾘｰﾝｾｰﾊﾞｰﾌｧｲﾙ (*.scr)", "すべてのﾌｧｲﾙ (*.*)"}));
  EXPECT_EQ(filter, 0);
  EXPECT_TRUE(readOnlyBox);
  ASSERT_TRUE(WaitUntil([] { return SaverRuns() == 1; }));
  EXPECT_EQ(lstrcmpiA(SaverNote("Directory").c_str(), system.c_str()), 0) << SaverNote("Directory");
  EXPECT_EQ(lstrcmpiA(Stored().c_str(), saver.c_str()), 0) << Stored();

  // From now on the stored file starts at once; a file that is gone fails
  // quietly and the setting stays as it was.
  ModalDriver unexpected([&] { return FindFileDialog(); },
                         [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }, 1500);
  Command(ID_SYS_SCREENSAVER);
  EXPECT_TRUE(WaitUntil([] { return SaverRuns() == 2; }));
  EXPECT_NE(SaverNote("Command line").find("qov_saver.scr"), std::string::npos);
  const std::string gone = HelperPath("qov_no_such_saver.scr");
  m_app.WriteStringSetting("Setting", "Screen saver", gone);
  Command(ID_SYS_SCREENSAVER);
  Pump(500);
  EXPECT_EQ(SaverRuns(), 2u);
  EXPECT_EQ(Stored(), gone);
  EXPECT_EQ(unexpected.Runs(), 0);
}

}  // namespace
