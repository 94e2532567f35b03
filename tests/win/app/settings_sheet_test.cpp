// The settings sheet, opened through the main window's system command and
// driven through its controls with real messages from inside its modal loop.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <memory>
#include <string>
#include <vector>

#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "core/settings_sheet.h"
#include "support/app_fixture.h"
#include "support/testsupport.h"
#include "vscreen/WindowMover.h"

using namespace qovtest;

namespace {

// WM_TIMER messages of timer 2 of one window, seen as this thread takes them.
HWND g_timerWindow = nullptr;
int g_wallPaperTicks = 0;
LRESULT CALLBACK CountTicks(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_TIMER &&
      msg->hwnd == g_timerWindow && msg->wParam == CQovDesktopDialog::kWallPaperTimer)
    ++g_wallPaperTicks;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Common controls before 5.80 send PSN_APPLY with a zero parameter, which
// newer ones set for the OK button: the sheet's notices, zeroed on their way.
LRESULT CALLBACK ApplyWithoutParameter(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && msg->message == WM_NOTIFY && msg->lParam &&
      reinterpret_cast<NMHDR*>(msg->lParam)->code == static_cast<UINT>(PSN_APPLY))
    reinterpret_cast<PSHNOTIFY*>(msg->lParam)->lParam = 0;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string Text(HWND page, int id) { return WindowText(GetDlgItem(page, id)); }
void Type(HWND page, int id, const char* text) { SetWindowTextA(GetDlgItem(page, id), text); }
void Click(HWND page, int id) { SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }
bool Checked(HWND page, int id) {
  return SendMessageA(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
// A click on the upper (up) or lower (down) arrow of an up-down control.
void ClickSpin(HWND page, int id, bool up, int times = 1) {
  HWND spin = GetDlgItem(page, id);
  RECT r;
  GetClientRect(spin, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
  for (int i = 0; i < times; ++i) {
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(spin, WM_LBUTTONUP, 0, at);
  }
}
// Shows the sheet's page `index` and returns its window.
HWND ShowPage(HWND sheet, int index) {
  SendMessageA(sheet, PSM_SETCURSEL, index, 0);
  return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

class SettingsSheet : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    ASSERT_TRUE(m_dialog.Create());
    m_app.SetMainWnd(&m_dialog);
    m_hook = SetWindowsHookExA(WH_GETMESSAGE, CountTicks, nullptr, GetCurrentThreadId());
    g_timerWindow = m_dialog.m_hWnd;
  }
  void TearDown() override {
    if (m_hook) UnhookWindowsHookEx(m_hook);
    m_dialog.DestroyWindow();
    m_app.SetMainWnd(nullptr);
    AppTest::TearDown();
  }

  // Opens the sheet with the settings command, lets `act` drive it, closes it
  // with `button` and acknowledges the notice that OK brings.
  void RunSheet(const std::function<void(HWND)>& act, UINT button) {
    m_notice.clear();
    m_noticeCaption.clear();
    std::unique_ptr<ModalDriver> notice;
    ModalDriver driver([&] { return FindOwnedDialog(m_dialog.m_hWnd, "設定"); },
                       [&](HWND sheet) {
                         act(sheet);
                         notice = std::make_unique<ModalDriver>(
                             [&] { return FindOwnedDialog(m_dialog.m_hWnd, "Qovデスクトップ"); },
                             [&](HWND box) {
                               m_notice = StaticTexts(box);
                               m_noticeCaption = WindowText(box);
                               SendMessageA(box, WM_COMMAND, IDOK, 0);
                             },
                             1000);
                         SendMessageA(sheet, WM_COMMAND, button, 0);
                       });
    SendMessageA(m_dialog.m_hWnd, WM_SYSCOMMAND, ID_SYS_SETTINGS, 0);
    ASSERT_EQ(driver.Runs(), 1);
    EXPECT_EQ(notice->Runs(), button == IDOK ? 1 : 0);
  }
  // Timer 2 made to tick fast: a restart with the interval stops that.
  void FastWallPaperTimer() { SetTimer(m_dialog.m_hWnd, CQovDesktopDialog::kWallPaperTimer, 30, nullptr); }
  int TicksWithin(DWORD ms) {
    g_wallPaperTicks = 0;
    Pump(ms);
    return g_wallPaperTicks;
  }
  int Int(const char* section, const char* name) { return m_app.ReadIntSetting(section, name, -999); }
  std::string String(const char* name) { return m_app.ReadStringSetting("Setting", name, "<none>"); }

  CQovDesktopDialog m_dialog;
  HHOOK m_hook = nullptr;
  std::vector<std::string> m_notice;
  std::string m_noticeCaption;
};

TEST_F(SettingsSheet, OkAtOnceStoresAllNineCurrentValuesAndShowsTheNotice) {
  m_app.WriteIntSetting("Setting", "Move desktop icons", 5);
  m_app.WriteStringSetting("Setting", "Desktop icon", "small");
  m_app.WriteStringSetting("Setting", "Screen saver", "C:\\saver.scr");
  m_app.WriteStringSetting("Setting", "Wall paper directory", "");
  m_dialog.m_nHeight = 4;
  m_dialog.m_nWidth = 5;
  m_dialog.m_bMoveAuto = 1;
  m_dialog.m_bFineFirst = 0;
  m_dialog.m_nWallPaperInterval = 7;
  FastWallPaperTimer();
  bool large = false, small = true;
  HWND sheet = nullptr;
  HHOOK oldSheet = SetWindowsHookExA(WH_CALLWNDPROC, ApplyWithoutParameter, nullptr, GetCurrentThreadId());
  RunSheet(
      [&](HWND s) {
        sheet = s;
        // A lower-case "small" shows the large icons and is kept as it is.
        HWND design = ShowPage(s, 1);
        large = Checked(design, 1009);
        small = Checked(design, 1010);
      },
      IDOK);
  UnhookWindowsHookEx(oldSheet);
  EXPECT_TRUE(large);
  EXPECT_FALSE(small);
  EXPECT_FALSE(IsWindow(sheet));

  EXPECT_EQ(Int("Screen", "Height"), 4);
  EXPECT_EQ(Int("Screen", "Width"), 5);
  EXPECT_EQ(Int("Setting", "Move auto"), 1);
  EXPECT_EQ(Int("Setting", "Fine first"), 0);
  EXPECT_EQ(Int("Setting", "Move desktop icons"), 1);  // 5 read as on
  EXPECT_EQ(String("Desktop icon"), "small");
  EXPECT_EQ(String("Screen saver"), "C:\\saver.scr");
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(String("Wall paper directory"), windows);  // the empty setting's stand-in
  EXPECT_EQ(Int("Setting", "Wall paper interval"), 7);
  EXPECT_EQ(ValueCount(m_key + "\\Screen"), 2);
  EXPECT_EQ(ValueCount(m_key + "\\Setting"), 7);
  EXPECT_EQ(g_bMoveDesktopIconsX, 1);
  EXPECT_EQ(g_bMoveDesktopIconsY, 1);
  EXPECT_EQ(m_dialog.m_strWallPaperDirectory, windows);

  ASSERT_EQ(m_notice.size(), 1u);
  EXPECT_EQ(m_notice[0], "設定は次回の「Qovデスクトップ」の起動時から有効になります。");
  EXPECT_EQ(m_noticeCaption, "Qovデスクトップ");
  // Timer 2 runs again with the 7-minute period: no tick soon.
  EXPECT_EQ(TicksWithin(300), 0);
}

TEST_F(SettingsSheet, ArrowsTypedTextAndClicksReachTheStoredValues) {
  m_app.WriteStringSetting("Setting", "Desktop icon", "Small");
  const int pageHeight = m_dialog.m_wndVerticalBar.m_nPageSize;
  ASSERT_GT(pageHeight, 0);
  std::string afterDown, afterUps, intervalAfterDown;
  bool small = false;
  std::vector<std::string> tabs;
  RunSheet(
      [&](HWND sheet) {
        HWND desktop = ShowPage(sheet, 0);
        Type(desktop, 1002, "1");
        ClickSpin(desktop, 1006, false);  // the floor holds
        afterDown = Text(desktop, 1002);
        Type(desktop, 1002, "3");
        ClickSpin(desktop, 1006, true, 200);
        afterUps = Text(desktop, 1002);
        Type(desktop, 1003, "3x");  // not a number: 0, stored as 1
        Click(desktop, 1008);
        Click(desktop, 1008);  // twice: as it started
        Click(desktop, 1009);
        Click(desktop, 1015);

        HWND design = ShowPage(sheet, 1);
        small = Checked(design, 1010) && !Checked(design, 1009);
        Click(design, 1009);
        Type(design, 1011, "");

        HWND wallPaper = ShowPage(sheet, 2);
        Type(wallPaper, 1016, "0");
        ClickSpin(wallPaper, 1017, false);
        intervalAfterDown = Text(wallPaper, 1016);
        Type(wallPaper, 1016, "");  // empty: 0, stored and used as 1
        Type(wallPaper, 1013, "D:\\pictures");

        HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
        for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i) {
          char text[64] = "";
          TCITEMA item = {};
          item.mask = TCIF_TEXT;
          item.pszText = text;
          item.cchTextMax = sizeof(text);
          SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
          tabs.push_back(text);
        }
      },
      IDOK);
  EXPECT_EQ(afterDown, "1");
  EXPECT_EQ(afterUps, "203");
  EXPECT_EQ(intervalAfterDown, "1");
  EXPECT_TRUE(small);
  EXPECT_EQ(tabs, (std::vector<std::string>{"仮想画面", "デザイン", "壁紙"}));

  // 203 screens would not fit a 16-bit scroll position: the largest count that does.
  const int bound = core::ClampScreenCount(203, pageHeight);
  ASSERT_LT(bound, 203);
  EXPECT_EQ(Int("Screen", "Height"), bound);
  EXPECT_EQ(m_dialog.m_nHeight, bound);
  EXPECT_EQ(Int("Screen", "Width"), 1);
  EXPECT_EQ(m_dialog.m_nWidth, 1);
  EXPECT_EQ(Int("Setting", "Move auto"), 0);
  EXPECT_EQ(Int("Setting", "Fine first"), 1);
  EXPECT_EQ(m_dialog.m_bFineFirst, 1);
  EXPECT_EQ(Int("Setting", "Move desktop icons"), 1);
  EXPECT_EQ(String("Desktop icon"), "Large");
  EXPECT_EQ(String("Screen saver"), "");
  EXPECT_EQ(String("Wall paper directory"), "D:\\pictures");
  EXPECT_EQ(Int("Setting", "Wall paper interval"), 1);
  EXPECT_EQ(m_dialog.m_nWallPaperInterval, 1);
}

TEST_F(SettingsSheet, DesignPageBrowsesForTheScreenSaverFile) {
  const std::string saver = HelperPath("qov_saver.scr");
  std::string afterCancel, afterChoice;
  int dialogs = 0;
  RunSheet(
      [&](HWND sheet) {
        HWND design = ShowPage(sheet, 1);
        Type(design, 1011, "C:\\old.scr");
        {
          // Cancelled: the edit keeps what it had.
          ModalDriver cancel([&] { return FindOwnedDialog(sheet); },
                             [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
          Click(design, 1012);
          dialogs += cancel.Runs();
        }
        afterCancel = Text(design, 1011);
        ModalDriver choose([&] { return FindOwnedDialog(sheet); },
                           [&](HWND dialog) {
                             SetDlgItemTextA(dialog, cmb13, saver.c_str());
                             SendMessageA(dialog, WM_COMMAND, IDOK, 0);
                           });
        Click(design, 1012);
        dialogs += choose.Runs();
        afterChoice = Text(design, 1011);
      },
      IDOK);
  EXPECT_EQ(dialogs, 2);
  EXPECT_EQ(afterCancel, "C:\\old.scr");
  EXPECT_EQ(lstrcmpiA(afterChoice.c_str(), saver.c_str()), 0) << afterChoice;
  EXPECT_EQ(lstrcmpiA(String("Screen saver").c_str(), saver.c_str()), 0) << String("Screen saver");
}

TEST_F(SettingsSheet, AnEmptiedWallPaperDirectoryStandsForTheWindowsDirectory) {
  m_app.WriteStringSetting("Setting", "Wall paper directory", "D:\\pictures");
  RunSheet([&](HWND sheet) { Type(ShowPage(sheet, 2), 1013, ""); }, IDOK);
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(String("Wall paper directory"), "");
  EXPECT_EQ(m_dialog.m_strWallPaperDirectory, windows);
}

TEST_F(SettingsSheet, CancelWritesNothingAndLeavesTimerTwoAlone) {
  m_dialog.m_nHeight = 3;
  FastWallPaperTimer();
  RunSheet(
      [&](HWND sheet) {
        HWND desktop = ShowPage(sheet, 0);
        Type(desktop, 1002, "9");
        Click(desktop, 1008);
        Type(ShowPage(sheet, 2), 1016, "60");
      },
      IDCANCEL);
  EXPECT_EQ(m_dialog.m_nHeight, 3);
  EXPECT_EQ(m_dialog.m_bMoveAuto, 0);
  // No values (-1: not even the key).
  EXPECT_LE(ValueCount(m_key + "\\Screen"), 0);
  EXPECT_LE(ValueCount(m_key + "\\Setting"), 0);
  EXPECT_GT(TicksWithin(300), 0);
}

// What this program had stored as "Desktop icon" each time it installed the
// desktop hook: the installation wakes the hook, which applies what it reads.
std::vector<std::string> g_iconAtInstall;
std::string g_appKey;
BOOL(WINAPI* g_realSetHookDesktop)(DWORD) = nullptr;
BOOL WINAPI SpySetHookDesktop(DWORD thread) {
  char text[32] = "<none>";
  DWORD size = sizeof(text);
  RegGetValueA(HKEY_CURRENT_USER, (g_appKey + "\\Setting").c_str(), "Desktop icon",
               RRF_RT_REG_SZ, nullptr, text, &size);
  g_iconAtInstall.push_back(text);
  return g_realSetHookDesktop(thread);
}

// Points this program's imports of `from` at `to`; false if none was found.
bool RedirectImport(void* from, void* to) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  bool found = false;
  for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       dll->Name; ++dll) {
    for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
         slot->u1.Function; ++slot) {
      if (reinterpret_cast<void*>(slot->u1.Function) != from) continue;
      DWORD protect;
      VirtualProtect(&slot->u1.Function, sizeof(void*), PAGE_READWRITE, &protect);
      slot->u1.Function = reinterpret_cast<ULONG_PTR>(to);
      VirtualProtect(&slot->u1.Function, sizeof(void*), protect, &protect);
      found = true;
    }
  }
  return found;
}

TEST_F(SettingsSheet, OkStoresTheIconSizeBeforeItInstallsTheDesktopHookAgain) {
  // The hook library reads the delivered program's key, whatever this
  // program is called; it holds what an OK there would have written.
  AppKeyGuard library("QovDesktop");
  SetRaw("Software\\QovSoft\\QovDesktop\\Setting", "Desktop icon", REG_SZ, "Small", 6);
  // The shell comes after the main window, which found none to hook.
  ShellStandIn shell;
  ASSERT_TRUE(shell.Started());
  ASSERT_TRUE(shell.PostAndWait());
  ASSERT_EQ(shell.View(), static_cast<DWORD>(LVS_ICON));
  g_appKey = m_key;
  g_iconAtInstall.clear();
  void* real = reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("QOV32.dll"), MAKEINTRESOURCEA(9)));  // SetHookDesktop
  void* spy = reinterpret_cast<void*>(SpySetHookDesktop);
  g_realSetHookDesktop = reinterpret_cast<BOOL(WINAPI*)(DWORD)>(real);
  ASSERT_TRUE(RedirectImport(real, spy));
  RunSheet([](HWND sheet) { Click(ShowPage(sheet, 1), 1010); }, IDOK);
  EXPECT_TRUE(RedirectImport(spy, real));
  EXPECT_EQ(g_iconAtInstall, std::vector<std::string>{"Small"});
  EXPECT_TRUE(WaitUntil([&] { return shell.View() == LVS_SMALLICON; }));
}

}  // namespace
