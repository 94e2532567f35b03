// The settings sheet, opened through the main window's system command and
// driven through its controls with real messages from inside its modal loop.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/QovDesktopDialog.h"
#include "support/app_fixture.h"
#include "support/testsupport.h"
#include "vscreen/WindowMover.h"

using namespace qovtest;

namespace {

// Common controls before 5.80 send PSN_APPLY with a zero parameter, which
// newer ones set for the OK button: the sheet's notices, zeroed on their way.
LRESULT CALLBACK ApplyWithoutParameter(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && msg->message == WM_NOTIFY && msg->lParam &&
      reinterpret_cast<NMHDR*>(msg->lParam)->code == static_cast<UINT>(PSN_APPLY))
    reinterpret_cast<PSHNOTIFY*>(msg->lParam)->lParam = 0;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Click(HWND page, int id) { SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }
HWND ShowPage(HWND sheet, int index) {
  SendMessageA(sheet, PSM_SETCURSEL, index, 0);
  return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
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

class SettingsSheet : public AppTest {};

TEST_F(SettingsSheet, OkStoresAndAppliesWhatTheControlsSayBeforeTheHookGoesInAgain) {
  m_app.WriteIntSetting("Setting", "Move desktop icons", 7);  // any non-zero value is on
  m_app.WriteStringSetting("Setting", "Desktop icon", "small");  // only "Small" shows small
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  m_app.SetMainWnd(&dialog);
  dialog.m_bMoveAuto = 1;
  ShellStandIn shell;  // after the main window, which found none to hook
  ASSERT_TRUE(shell.Started() && shell.PostAndWait());
  auto runSheet = [&](const std::function<void(HWND)>& act, UINT button) {
    std::unique_ptr<ModalDriver> notice;
    ModalDriver driver([&] { return FindOwnedDialog(dialog.m_hWnd, "設定"); }, [&](HWND s) {
      act(s);
      notice = std::make_unique<ModalDriver>(
          [&] { return FindOwnedDialog(dialog.m_hWnd, "Qovデスクトップ"); },
          [](HWND box) { SendMessageA(box, WM_COMMAND, IDOK, 0); }, 1000);
      SendMessageA(s, WM_COMMAND, button, 0);
    });
    SendMessageA(dialog.m_hWnd, WM_SYSCOMMAND, ID_SYS_SETTINGS, 0);
    return notice ? notice->Runs() : -1;
  };
  g_appKey = m_key;
  ImportStandIn spy(GetModuleHandleA(nullptr), "QOV32.dll", MAKEINTRESOURCEA(9),  // SetHookDesktop
                    SpySetHookDesktop);
  ASSERT_TRUE(spy.Active());
  g_realSetHookDesktop = reinterpret_cast<BOOL(WINAPI*)(DWORD)>(spy.Original());
  HHOOK oldSheet =
      SetWindowsHookExA(WH_CALLWNDPROC, ApplyWithoutParameter, nullptr, GetCurrentThreadId());
  std::vector<UINT> shown;  // the check marks and radio buttons at first
  const int notices = runSheet(
      [&](HWND sheet) {
        const int boxes[][2] = {{0, IDC_MOVE_AUTO},
                                {0, IDC_FINE_FIRST},
                                {0, IDC_MOVE_DESKTOP_ICONS},
                                {1, IDC_LARGE_ICONS},
                                {1, IDC_SMALL_ICONS}};
        for (const auto& box : boxes)
          shown.push_back(IsDlgButtonChecked(ShowPage(sheet, box[0]), box[1]));
        HWND desktop = ShowPage(sheet, 0);
        SetDlgItemTextA(desktop, IDC_HEIGHT_EDIT, "3");
        // A click on the upper arrow of the spin.
        HWND spin = GetDlgItem(desktop, IDC_HEIGHT_SPIN);
        RECT r;
        GetClientRect(spin, &r);
        SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom / 4));
        SendMessageA(spin, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom / 4));
        SetDlgItemTextA(desktop, IDC_WIDTH_EDIT, "3x");  // not a number: 0, stored as 1
        Click(desktop, IDC_FINE_FIRST);
        Click(desktop, IDC_MOVE_DESKTOP_ICONS);
        Click(ShowPage(sheet, 1), IDC_SMALL_ICONS);
        SetDlgItemTextA(ShowPage(sheet, 2), IDC_INTERVAL_EDIT, "");  // 0, stored as 1
      },
      IDOK);
  UnhookWindowsHookEx(oldSheet);
  EXPECT_EQ(notices, 1);
  EXPECT_EQ(shown, (std::vector<UINT>{1, 0, 1, 1, 0}));
  EXPECT_EQ(g_iconAtInstall, std::vector<std::string>{"Small"});
  auto stored = [&](const char* key, const char* name) {
    return m_app.ReadIntSetting(key, name, -9);
  };
  EXPECT_EQ(stored("Screen", "Height"), 4);
  EXPECT_EQ(stored("Screen", "Width"), 1);
  EXPECT_EQ(stored("Setting", "Fine first"), 1);
  EXPECT_EQ(stored("Setting", "Move desktop icons"), 0);
  EXPECT_EQ(g_bMoveDesktopIconsY, 0);
  EXPECT_EQ(stored("Setting", "Wall paper interval"), 1);
  runSheet([](HWND sheet) { SetDlgItemTextA(ShowPage(sheet, 0), IDC_HEIGHT_EDIT, "9"); },
           IDCANCEL);
  EXPECT_EQ(stored("Screen", "Height"), 4);
  dialog.DestroyWindow();
  m_app.SetMainWnd(nullptr);
}

}  // namespace
