// The program's windows hosted in the test process, with the application
// object of this process and a settings key of its own.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "resdisplay/ResourceDialog.h"
#include "settings/FolderTree.h"
#include "settings/ScreenSaverFile.h"
#include "support/testsupport.h"
#include "fw/display.h"
#include "vscreen/EdgeBar.h"
#include "vscreen/Overview.h"
#include "vscreen/Pins.h"
#include "vscreen/WindowMover.h"

using namespace qovtest;

namespace {

// What the program asked of the notification area, in order: the message
// and the tip.  A real icon would make Wine's desktop show its taskbar, which
// the bars then keep clear of.
std::vector<std::pair<DWORD, std::string>> g_notified;
BOOL WINAPI NotifyIcon(DWORD message, PNOTIFYICONDATAA data) {
  g_notified.emplace_back(message, data->szTip);
  return TRUE;
}

// The application object of this process with a settings key of its own,
// removed before and after each test.
class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_notified.clear();
    m_app.Attach(GetModuleHandleA(nullptr));
    m_app.SetRegistryKey("QovSoft");
    m_key = "Software\\QovSoft\\" + m_app.AppName();
    DeleteAppKey(m_app.AppName());
  }
  void TearDown() override { DeleteAppKey(m_app.AppName()); }

  CQovDesktopApp m_app;
  std::string m_key;  // HKCU\<m_key>\<section> holds the settings
  ImportStandIn m_notifyIcon{GetModuleHandleA(nullptr), "shell32.dll", "Shell_NotifyIconA", NotifyIcon};
};

// What the user reads in the run's language: Japanese on code page 932,
// English on any other (app_tests_english).
const char* Ui(const char* japanese, const char* english) {
  return GetACP() == 932 ? japanese : english;
}

POINT TopLeft(HWND hwnd) {
  RECT r = WindowRect(hwnd);
  return {r.left, r.top};
}

// A key pressed or let go as the keyboard does it, with its scan code: Wine's
// hot key control takes the key of a typed character from its scan code.
void Key(BYTE key, bool down) {
  keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0 /* MAPVK_VK_TO_VSC */)),
              down ? 0 : KEYEVENTF_KEYUP, 0);
}
// Keys pressed in their order and let go in the other, as a user types a key
// with its modifiers; then their messages.
void Type(const std::vector<BYTE>& keys) {
  for (BYTE k : keys) Key(k, true);
  for (auto k = keys.rbegin(); k != keys.rend(); ++k) Key(*k, false);
  Pump(150);
}

// RegisterHotKey as the program calls it: each call is noted, and with
// g_refuseNoRepeat the flag that Windows before 7 does not know is refused,
// as such a Windows may.
struct HotKeyCall {
  HWND window;
  int id;
  UINT modifiers;
};
std::vector<HotKeyCall> g_hotKeyCalls;
bool g_refuseNoRepeat = false;
BOOL(WINAPI* g_realRegisterHotKey)(HWND, int, UINT, UINT) = nullptr;
BOOL WINAPI NoteRegisterHotKey(HWND window, int id, UINT modifiers, UINT key) {
  g_hotKeyCalls.push_back({window, id, modifiers});
  if (g_refuseNoRepeat && (modifiers & 0x4000 /* MOD_NOREPEAT */)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return g_realRegisterHotKey(window, id, modifiers, key);
}
// The modifiers of each call the program made for one command's key.
std::vector<UINT> HotKeyCallsOf(HWND window, int command) {
  std::vector<UINT> modifiers;
  for (const HotKeyCall& call : g_hotKeyCalls)
    if (call.window == window && call.id == CViewKeys::IdOf(command)) modifiers.push_back(call.modifiers);
  return modifiers;
}
// Whether a window of the test could take the key now: false while the
// program (or any other) holds it.
bool KeyIsFree(UINT modifiers, UINT key) {
  HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                               nullptr);
  const bool free = RegisterHotKey(probe, 1, modifiers, key) != FALSE;
  if (free) UnregisterHotKey(probe, 1);
  DestroyWindow(probe);
  return free;
}

// The settings store against the real registry.
class SettingsStore : public AppTest {};

TEST_F(SettingsStore, ReadsNumbersOnlyFromNumbersAndTextWhole) {
  const std::string section = m_key + "\\Setting";
  // Text where a number belongs gives the default, never its bits.
  SetRaw(section, "Width", REG_SZ, "abc", 4);
  EXPECT_EQ(m_app.ReadIntSetting("Setting", "Width", 3), 3);
  SetDword(section, "Height", 0xFFFFFFFEu);
  EXPECT_EQ(m_app.ReadIntSetting("Setting", "Height", 3), -2);
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "Height", "none"), "none");
  // Text stored without its NUL, or longer than any fixed buffer, comes whole.
  SetRaw(section, "bare", REG_SZ, "abcdef", 6);
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "bare", ""), "abcdef");
  const std::string big = std::string(70000, 'x') + "C:\\壁紙\\表示";
  EXPECT_TRUE(m_app.WriteStringSetting("Setting", "big", big));
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "big", ""), big);
}

// The main window's timers, and the wallpaper rotation with real bitmaps on disk.

// The follow timer's ticks as the queue hands them out; 0 for another timer's.
std::vector<DWORD> g_ticks;
LRESULT CALLBACK NoteTimer(int code, WPARAM removed, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && removed == PM_REMOVE && msg->message == WM_TIMER)
    g_ticks.push_back(msg->wParam == CQovDesktopDialog::kFollowTimer ? GetTickCount() : 0);
  return CallNextHookEx(nullptr, code, removed, lParam);
}

std::string SessionWallPaper() {
  char text[MAX_PATH] = "";
  SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, text, 0);
  return text;
}
const char* const kFiles[] = {"\\A.bmp", "\\B.bmp", "\\C.bmp", "\\readme.txt"};

class WallPaper : public AppTest {
 protected:
  void TearDown() override {
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &m_original[0], 0);
    for (const char* file : kFiles) DeleteFileA((m_dir + file).c_str());
    RemoveDirectoryA(m_dir.c_str());
    AppTest::TearDown();
  }
  std::string m_original = SessionWallPaper(), m_dir;
};

// The follow timer ticks every second, timer 2 after the interval (-10 gives a
// minute); it follows the active window, then shows the next bitmap and closes
// its search.  The directory ends in "歃" (0x9F 0x5C, a range's last lead byte) on code
// page 932, in "é" (a lead byte in 932) and a backslash on 1252 (app_tests_cp1252).
TEST_F(WallPaper, Timer2ComesAfterTheIntervalFollowsAndStepsThroughTheBitmaps) {
  const char* acp = std::getenv("QOV_ACP");
  ASSERT_EQ(GetACP(), acp ? std::strtoul(acp, nullptr, 10) : 932u);
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  m_dir = temp + std::to_string(GetCurrentProcessId()) + (GetACP() == 932 ? "壁紙歃" : "\xE9");
  ASSERT_TRUE(CreateDirectoryA(m_dir.c_str(), nullptr));
  const unsigned char bitmap[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40,
                                    0,   0,   0,  1, 0, 0, 0, 1, 0, 0, 0,  1, 0, 24};  // 1 x 1
  for (const char* file : kFiles) {
    FILE* out = std::fopen((m_dir + file).c_str(), "wb");
    ASSERT_TRUE(out && std::fwrite(bitmap, sizeof(bitmap), 1, out) == 1 && std::fclose(out) == 0);
  }
  m_app.WriteStringSetting("Setting", "Wall paper directory",
                           m_dir + (GetACP() == 932 ? "" : "\\"));
  SetDword(m_key + "\\Setting", "Wall paper interval", 0xFFFFFFF6u);
  SetDword(m_key + "\\Setting", "Move auto", 1);
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Active one|130,140,300,200|"}));
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, NoteTimer, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  Pump(3400);
  UnhookWindowsHookEx(hook);
  ASSERT_GE(g_ticks.size(), 2u);
  for (size_t i = 1; i < g_ticks.size(); ++i) {
    EXPECT_GE(g_ticks[i] - g_ticks[i - 1], 700u);
    EXPECT_LE(g_ticks[i] - g_ticks[i - 1], 1600u);
  }

  ASSERT_TRUE(Activate(host.Find("Active one")));
  SendMessageA(dialog.m_hWnd, WM_TIMER, CQovDesktopDialog::kWallPaperTimer, 0);
  EXPECT_EQ(dialog.m_strLastActiveTitle, "Active one");
  EXPECT_TRUE(dialog.m_nRecordedLeft == 130 && dialog.m_nRecordedTop == 140);
  // "Move auto": the view jumps to the window it follows.
  HWND active = host.Find("Active one");
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(active).x == 0 && TopLeft(active).y == 0; }));
  // An open search holds a handle, or under Wine a heap block with the listing.
  const int handles = OpenHandles();
  const size_t heap = HeapBytesInUse();
  std::set<std::string> shown;
  for (int round = 0; round < 8; ++round) {
    shown.insert(SessionWallPaper());
    SendMessageA(dialog.m_hWnd, WM_TIMER, CQovDesktopDialog::kWallPaperTimer, 0);
  }
  EXPECT_EQ(shown,
            (std::set<std::string>{m_dir + kFiles[0], m_dir + kFiles[1], m_dir + kFiles[2]}));
  EXPECT_LE(OpenHandles(), handles + 2);
  EXPECT_LT(HeapBytesInUse(), heap + 4096);
  EXPECT_TRUE(KillTimer(dialog.m_hWnd, CQovDesktopDialog::kWallPaperTimer));
}

// The system menu's commands.
class SystemCommands : public AppTest {};

// The Help button opens the read-me in the interface's language: no help file.
std::wstring g_opened;
HINSTANCE WINAPI OpenFile(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
  g_opened = std::wstring(verb) + L" " + file;
  return reinterpret_cast<HINSTANCE>(42);
}

// Windows 10's shell keeps Start and Search as cloaked windows: here the
// window titled "Cloaked", through a stand-in for DwmGetWindowAttribute that
// the program's look-up of it finds.
FARPROC(WINAPI* g_realGetProcAddress)(HMODULE, LPCSTR) = nullptr;
HRESULT WINAPI CloakedAttribute(HWND window, DWORD attribute, void* value, DWORD size) {
  if (attribute != 14 /* DWMWA_CLOAKED */ || size != sizeof(DWORD)) return E_INVALIDARG;
  *static_cast<DWORD*>(value) = WindowText(window) == "Cloaked" ? 2 /* by the shell */ : 0;
  return S_OK;
}
// And a 32-bit build running on 64-bit Windows, through IsWow64Process
// (while g_onWow64); a monitor of g_dpi (unless 0), through GetDpiForWindow;
// and a program of g_process at g_imagePath, through QueryFullProcessImageNameW.
bool g_onWow64 = false;
BOOL WINAPI OnWow64(HANDLE, PBOOL wow64) { return *wow64 = TRUE; }
UINT g_dpi = 0;
UINT WINAPI DpiForWindow(HWND) { return g_dpi; }
DWORD g_process = 0;
const wchar_t* g_imagePath = L"";
BOOL WINAPI ImagePath(HANDLE process, DWORD, LPWSTR path, PDWORD size) {
  if (GetProcessId(process) != g_process || static_cast<DWORD>(lstrlenW(g_imagePath)) >= *size)
    return FALSE;
  lstrcpyW(path, g_imagePath);
  *size = static_cast<DWORD>(lstrlenW(g_imagePath));
  return TRUE;
}
FARPROC WINAPI FindProc(HMODULE module, LPCSTR name) {
  const bool named = HIWORD(reinterpret_cast<ULONG_PTR>(name)) != 0;
  const struct {
    const char* name;
    void* standIn;
  } standIns[] = {{"DwmGetWindowAttribute", reinterpret_cast<void*>(CloakedAttribute)},
                  {"IsWow64Process", g_onWow64 ? reinterpret_cast<void*>(OnWow64) : nullptr},
                  {"GetDpiForWindow", g_dpi ? reinterpret_cast<void*>(DpiForWindow) : nullptr},
                  {"QueryFullProcessImageNameW", reinterpret_cast<void*>(ImagePath)}};
  for (const auto& s : standIns)
    if (named && s.standIn && lstrcmpA(name, s.name) == 0) return reinterpret_cast<FARPROC>(s.standIn);
  return g_realGetProcAddress(module, name);
}
// While it lives, the program finds the stand-ins above where it looks
// functions up.
struct LookUpStandIns {
  LookUpStandIns() {
    g_realGetProcAddress = reinterpret_cast<FARPROC(WINAPI*)(HMODULE, LPCSTR)>(find.Original());
  }
  ImportStandIn find{GetModuleHandleA(nullptr), "kernel32.dll", "GetProcAddress", FindProc};
};

// The close commands, chosen from the "Close" popup of the system menu, post
// WM_CLOSE (a hung program holds nothing up) where their rule chooses.  The
// resource display's close box stops its timer; OK does not.
TEST_F(SystemCommands, CloseCommandsPostToWhatTheirRuleChoosesAndTheResourceDisplayEnds) {
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  auto command = [&](int closeItem) { ChooseFromSystemMenu(dialog.m_hWnd, 1, closeItem); };
  WindowHost host;
  ASSERT_TRUE(host.Start({"CabinetWClass|Folder|10,10,200,150|", "IEFrame|Browser|20,20,200,150|",
                          "|Hidden tool|40,40,200,150|h", "|Editor|50,50,200,150|",
                          "QovMouse|Controller|60,60,200,150|", "|Cloaked|70,70,200,150|"}));
  const std::vector<HWND> w = host.Windows();
  command(1);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(w[1]); }));
  Pump(300);
  EXPECT_TRUE(IsWindow(w[0]));
  host.Hang(2500);
  Sleep(300);
  const DWORD start = GetTickCount();
  command(0);
  Pump(300);
  EXPECT_LT(GetTickCount() - start, 1000u);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(w[0]); }));
  LookUpStandIns dwm;
  ASSERT_TRUE(dwm.find.Active());
  command(2);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(w[3]); }));
  // Spared: hidden windows, the controller by its class, the shell's cloaked
  // window, the main window and the bars as this program's, whatever their titles.
  SetWindowTextA(dialog.m_wndVerticalBar.m_hWnd, "A bar");
  SendMessageA(dialog.m_hWnd, WM_COMMAND, ID_SYS_CLOSE_ALL, 0);
  Pump(500);
  EXPECT_TRUE(IsWindow(w[2]) && IsWindow(w[4]) && IsWindow(w[5]) && IsWindow(dialog.m_hWnd) &&
              IsWindow(dialog.m_wndVerticalBar.m_hWnd) &&
              IsWindow(dialog.m_wndHorizontalBar.m_hWnd));
  ImportStandIn open(GetModuleHandleA(nullptr), "shell32.dll", "ShellExecuteW", OpenFile);
  ASSERT_TRUE(open.Active());

  for (UINT message : {WM_CLOSE, WM_COMMAND}) {
    BOOL timerWasSet = FALSE;
    ModalDriver driver([&] { return FindOwnedDialog(dialog.m_hWnd); },
                       [&](HWND display) {
                         SendMessageA(display, WM_COMMAND, ID_HELP, 0);
                         SendMessageA(display, message, IDOK, 0);
                         // The dialog has ended; its window lives until its loop returns.
                         timerWasSet = KillTimer(display, CResourceDialog::kRefreshTimer);
                       });
    ChooseFromSystemMenu(dialog.m_hWnd, 4);
    ASSERT_TRUE(WaitUntil([&] { return driver.Runs() == 1; }));
    EXPECT_EQ(timerWasSet, message == WM_COMMAND) << message;
  }
  const std::wstring readMe = GetACP() == 932 ? L"\\README-JA.TXT" : L"\\README.TXT";
  EXPECT_TRUE(g_opened.rfind(L"open ", 0) == 0 && g_opened.size() > readMe.size() &&
              g_opened.compare(g_opened.size() - readMe.size(), readMe.size(), readMe) == 0);
}

// The menu a user sees, the about box, the jump to the recorded window, and
// the screen saver: asked for once in the system directory, then started from
// the stored path; each chosen from the menu.
TEST_F(SystemCommands, MenuJumpAndScreenSaver) {
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  EXPECT_EQ(WindowText(dialog.m_hWnd), Ui("Qovデスクトップ", "QovDesktop"));
  HMENU menu = GetSystemMenu(dialog.m_hWnd, FALSE);
  std::string items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[128] = "";
    GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
    items += std::to_string(static_cast<int>(GetMenuItemID(menu, i))) + " " + text + "\n";
  }
  HMENU close = GetSubMenu(menu, 1);
  for (int i = 0; i < GetMenuItemCount(close); ++i) {
    char text[128] = "";
    GetMenuStringA(close, i, text, sizeof(text), MF_BYPOSITION);
    items += std::string("  ") + text + "\n";
  }
  EXPECT_EQ(items, Ui("61536 Qovデスクトップの終了\n-1 閉じる\n101 設定...\n102 ジャンプ\n"
                      "103 リソースの表示\n104 スクリーンセーバーの実行\n109 全体図\n"
                      "108 ウィンドウを集める\n0 \n"
                      "16 ﾊﾞｰｼﾞｮﾝ情報(QovDesktop) (&A)...\n  フォルダ\n"
                      "  インターネットエクスプローラ\n  すべてのアプリケーション\n",
                      "61536 Exit QovDesktop\n-1 Close\n101 Settings...\n102 Jump\n"
                      "103 Show resources\n104 Run screen saver\n109 Overview\n"
                      "108 Gather windows\n0 \n16 &About QovDesktop...\n"
                      "  Folders\n  Internet Explorer\n  All applications\n"));
  std::string about;
  {
    ModalDriver box([&] { return FindOwnedDialog(dialog.m_hWnd); }, [&](HWND box) {
      about = WindowText(box) + "|" + WindowText(GetWindow(GetDlgItem(box, IDOK), GW_HWNDNEXT));
      SendMessageA(box, WM_COMMAND, IDOK, 0);
    });
    ChooseFromSystemMenu(dialog.m_hWnd, 8);  // the separator is not one
    EXPECT_TRUE(WaitUntil([&] { return box.Runs() == 1; }));
  }
  EXPECT_EQ(about, Ui("ﾊﾞｰｼﾞｮﾝ情報 QovDesktop|Copyright (C) 2026 QovSoft",
                      "About QovDesktop|Copyright (C) 2026 QovSoft"));

  WindowHost host;
  ASSERT_TRUE(host.Start({"|Recorded|100,120,300,200|"}));
  dialog.m_nRecordedLeft = 100;
  dialog.m_nRecordedTop = 120;
  ChooseFromSystemMenu(dialog.m_hWnd, 3);
  EXPECT_TRUE(WaitUntil([&] { return WindowRect(host.Find("Recorded")).left == 0; }));
  EXPECT_EQ(WindowRect(host.Find("Recorded")).top, 0);

  const char* saverKey = "Software\\QovSoft\\QovTestSaver";  // where qov_saver.scr notes its runs
  AppKeyGuard saverRuns("QovTestSaver");
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
    ChooseFromSystemMenu(dialog.m_hWnd, 5);
    WaitUntil([&] { return file.Runs() == 1; }, 1500);
    EXPECT_EQ(file.Runs(), choice ? 1 : 0);  // asked until a file was chosen
  }
  EXPECT_EQ(lstrcmpiA(folder.c_str(), SystemDirectory().c_str()), 0) << folder;
  EXPECT_TRUE(WaitUntil([&] { return runs() == 2; }));
}

// The settings sheet, opened through the main window's system command and
// driven through its controls with real messages from inside its modal loop.
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
  // The texts of the program's message boxes after the sheet, each closed.
  auto runSheet = [&](const std::function<void(HWND)>& act, UINT button) {
    std::vector<std::string> told;
    std::function<void()> answerNext;  // one driver at a time: each box sets up the next
    std::vector<std::unique_ptr<ModalDriver>> notices;
    answerNext = [&] {
      notices.push_back(std::make_unique<ModalDriver>(
          [&] { return FindOwnedDialog(dialog.m_hWnd, Ui("Qovデスクトップ", "QovDesktop")); },
          [&](HWND box) {
            told.push_back(WindowText(GetDlgItem(box, 0xFFFF)));
            answerNext();
            SendMessageA(box, WM_COMMAND, IDOK, 0);
          },
          1000));
    };
    ModalDriver driver([&] { return FindOwnedDialog(dialog.m_hWnd, Ui("設定", "Settings")); },
                       [&](HWND s) {
      act(s);
      answerNext();
      SendMessageA(s, WM_COMMAND, button, 0);
    });
    ChooseFromSystemMenu(dialog.m_hWnd, 2);
    WaitUntil([&] { return driver.Runs() == 1; });
    return told;
  };
  g_appKey = m_key;
  // Ordinal 9 is SetHookDesktop, of the library beside this program: another
  // copy that a hook of an earlier test brought in may share its name.
  ImportStandIn spy(GetModuleHandleA(nullptr), HelperPath("QOV32.dll").c_str(),
                    MAKEINTRESOURCEA(9), SpySetHookDesktop);
  ASSERT_TRUE(spy.Active());
  g_realSetHookDesktop = reinterpret_cast<BOOL(WINAPI*)(DWORD)>(spy.Original());
  // As on a Windows before 7, which may not know MOD_NOREPEAT.
  ImportStandIn registrations(GetModuleHandleA(nullptr), "user32.dll", "RegisterHotKey",
                              NoteRegisterHotKey);
  ASSERT_TRUE(registrations.Active());
  g_realRegisterHotKey =
      reinterpret_cast<BOOL(WINAPI*)(HWND, int, UINT, UINT)>(registrations.Original());
  g_refuseNoRepeat = true;
  HHOOK oldSheet =
      SetWindowsHookExA(WH_CALLWNDPROC, ApplyWithoutParameter, nullptr, GetCurrentThreadId());
  std::vector<UINT> shown;  // the check marks and radio buttons at first
  std::string pages;        // the tabs' texts
  std::vector<LRESULT> typed;  // what the key controls showed after each key
  bool viewMoved = true;
  const int kHeldId = 0x7000;
  BOOL heldByAnother = FALSE;
  std::string shownMarks;  // beside each key, after one was given twice
  auto marksOf = [](HWND keys) {
    std::string text;
    for (int c = 0; c < core::kViewKeyCount; ++c)
      text += WindowText(GetDlgItem(keys, IDC_VIEWKEY_TAKEN_FIRST + c)) + "|";
    return text;
  };
  const std::vector<std::string> notices = runSheet(
      [&](HWND sheet) {
        const int boxes[][2] = {{0, IDC_MOVE_AUTO},
                                {0, IDC_FINE_FIRST},
                                {0, IDC_MOVE_DESKTOP_ICONS},
                                {1, IDC_LARGE_ICONS},
                                {1, IDC_SMALL_ICONS},
                                {2, IDC_WALLPAPER_ON}};
        for (const auto& box : boxes)
          shown.push_back(IsDlgButtonChecked(ShowPage(sheet, box[0]), box[1]));
        HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
        for (int i = 0; i < 3; ++i) {
          char text[64] = "";
          TCITEMA item = {TCIF_TEXT};
          item.pszText = text;
          item.cchTextMax = sizeof(text);
          SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
          pages += text + std::string("|");
        }
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
        Click(ShowPage(sheet, 2), IDC_WALLPAPER_ON);
        // Keys typed into the page's controls, as they show them (without
        // the extended-key flag, which the typed keys do not carry).
        HWND keys = ShowPage(sheet, 3);
        Activate(sheet);
        dialog.m_bMoveAuto = 0;  // the view moves by a key only, not to the sheet
        auto typeInto = [&](int command, const std::vector<BYTE>& pressed) {
          SetFocus(GetDlgItem(keys, IDC_VIEWKEY_FIRST + command));
          Type(pressed);
          return SendDlgItemMessageA(keys, IDC_VIEWKEY_FIRST + command, HKM_GETHOTKEY, 0, 0) &
                 ~(HOTKEYF_EXT << 8);
        };
        // With its Win box checked, the first key becomes Win+Ctrl+Alt+J.
        typed.push_back(typeInto(0, {VK_CONTROL, VK_MENU, 'J'}));
        // The program's own key for "right" goes into the control for "up":
        // the view stays, and both commands are marked at once.
        const int position = dialog.m_wndHorizontalBar.m_nPosition;
        typed.push_back(typeInto(2, {VK_LWIN, VK_CONTROL, VK_MENU, VK_RIGHT}));
        viewMoved = dialog.m_wndHorizontalBar.m_nPosition != position;
        shownMarks = marksOf(keys);
        // A bare key gets Ctrl+Alt; Space with them is a key like any other,
        // and with Alt alone, whose character must not clear it again.
        typed.push_back(typeInto(5, {VK_F5}));
        typed.push_back(typeInto(5, {VK_CONTROL, VK_MENU, VK_SPACE}));
        typed.push_back(typeInto(6, {'K'}));
        typed.push_back(typeInto(4, {VK_MENU, VK_SPACE}));
        // The box alone takes Win off a key.
        Click(keys, IDC_VIEWKEY_WIN_FIRST + 3);
        // Typed as a user types: a name in letters that no one ANSI code page holds (ő, あ).
        SetDlgItemTextA(keys, IDC_PINNED_PROGRAMS, "clock.exe\r\n");
        SetFocus(GetDlgItem(keys, IDC_PINNED_PROGRAMS));
        SendDlgItemMessageA(keys, IDC_PINNED_PROGRAMS, EM_SETSEL, 11, 11);
        for (wchar_t c : std::wstring(L"\x151\x3042.exe\r\nplayer.exe"))
          SendMessageW(GetDlgItem(keys, IDC_PINNED_PROGRAMS), WM_CHAR, c, 1);
        // Another program takes the key just given to "pin" before OK.
        heldByAnother = RegisterHotKey(nullptr, kHeldId, MOD_WIN | MOD_CONTROL | MOD_ALT, 'K');
        g_hotKeyCalls.clear();
      },
      IDOK);
  UnhookWindowsHookEx(oldSheet);
  EXPECT_EQ(typed, (std::vector<LRESULT>{0x64A, 0x627, 0x674, 0x620, 0x64B, 0x420}));
  EXPECT_FALSE(viewMoved);
  const std::string twice = Ui("他のコマンドと重複", "Same as another");
  EXPECT_EQ(shownMarks, "|" + twice + "|" + twice + "|||||");
  const std::uint32_t storedKeys[] = {0xB004A, 0xB0027, 0xB0027, 0x30028, 0x90020, 0xB0020, 0xB004B};
  for (int c = 0; c < core::kViewKeyCount; ++c)
    EXPECT_EQ(static_cast<std::uint32_t>(m_app.ReadIntSetting("Hot keys", core::kViewKeyNames[c], 0)),
              storedKeys[c])
        << core::kViewKeyNames[c];
  // Registered again after OK, without the flag where it is refused; the key
  // that "right" already has is not even tried for "up", nor said to be held
  // by another program.
  EXPECT_FALSE(KeyIsFree(MOD_WIN | MOD_CONTROL | MOD_ALT, 'J'));
  EXPECT_TRUE(HotKeyCallsOf(dialog.m_hWnd, core::kViewKeyUp).empty());
  EXPECT_EQ(notices,
            (std::vector<std::string>{
                Ui("次のキーは他のプログラムが使用中のため使えません：\nピン留め",
                   "These keys are held by another program and do not work:\nPin or unpin"),
                Ui("設定は次回の「Qovデスクトップ」の起動時から有効になります。",
                   "The settings take effect from the next start of QovDesktop.")}));
  EXPECT_EQ(shown, (std::vector<UINT>{1, 0, 1, 1, 0, 1}));  // no rotation value: on
  EXPECT_EQ(pages, Ui("仮想画面|デザイン|壁紙|", "Virtual screen|Design|Wallpaper|"));
  EXPECT_EQ(g_iconAtInstall, std::vector<std::string>{"Small"});
  wchar_t pinned[64] = L"";
  DWORD pinnedSize = sizeof(pinned);
  RegGetValueW(HKEY_CURRENT_USER, (std::wstring(m_key.begin(), m_key.end()) + L"\\Setting").c_str(),
               L"Pinned programs", RRF_RT_REG_SZ, nullptr, pinned, &pinnedSize);
  EXPECT_EQ(std::wstring(pinned), L"clock.exe|\x151\x3042.exe|player.exe");
  auto stored = [&](const char* key, const char* name) {
    return m_app.ReadIntSetting(key, name, -9);
  };
  EXPECT_EQ(stored("Screen", "Height"), 4);
  EXPECT_EQ(stored("Screen", "Width"), 1);
  EXPECT_EQ(stored("Setting", "Fine first"), 1);
  EXPECT_EQ(stored("Setting", "Move desktop icons"), 0);
  EXPECT_EQ(g_bMoveDesktopIconsY, 0);
  EXPECT_EQ(stored("Setting", "Wall paper interval"), 1);
  EXPECT_EQ(stored("Setting", "Wall paper rotation"), 0);
  EXPECT_FALSE(KillTimer(dialog.m_hWnd, CQovDesktopDialog::kWallPaperTimer));  // stopped
  // While the sheet is open the program holds none of its keys; after
  // Cancel it holds them again.  The key held by another program is marked
  // as long as the control shows that key, and no longer.
  bool freeWhileOpen = false;
  std::vector<std::string> heldMarks;
  runSheet(
      [&](HWND sheet) {
        SetDlgItemTextA(ShowPage(sheet, 0), IDC_HEIGHT_EDIT, "9");
        freeWhileOpen = KeyIsFree(MOD_WIN | MOD_CONTROL | MOD_ALT, 'J');
        HWND keys = ShowPage(sheet, 3);
        Activate(sheet);
        heldMarks.push_back(marksOf(keys));
        for (BYTE key : {'L', 'K'}) {
          SetFocus(GetDlgItem(keys, IDC_VIEWKEY_FIRST + 6));
          Type({VK_CONTROL, VK_MENU, key});
          heldMarks.push_back(marksOf(keys));
        }
      },
      IDCANCEL);
  if (heldByAnother) UnregisterHotKey(nullptr, kHeldId);
  ASSERT_TRUE(heldByAnother);
  const std::string held = Ui("使用中", "Taken");
  const std::string twiceAt12 = "|" + twice + "|" + twice + "||||";
  EXPECT_EQ(heldMarks, (std::vector<std::string>{twiceAt12 + held + "|", twiceAt12 + "|",
                                                 twiceAt12 + held + "|"}));
  EXPECT_EQ(stored("Screen", "Height"), 4);
  EXPECT_TRUE(freeWhileOpen);
  EXPECT_FALSE(KeyIsFree(MOD_WIN | MOD_CONTROL | MOD_ALT, 'J'));
  g_refuseNoRepeat = false;
  dialog.DestroyWindow();
  m_app.SetMainWnd(nullptr);
}

// The page of what the program has beyond its first design: the icon, the
// Run value that starts it with Windows (written, put right for a moved
// program, removed), edge push and the page indicator.
std::wstring RunValue() {
  wchar_t value[MAX_PATH * 2] = L"";
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                   L"QovDesktop", RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return L"<none>";
  return value;
}

TEST_F(SettingsSheet, TheOtherPageStartsWithWindowsAndSetsTheReach) {
  struct RunGuard {
    RunGuard() { Drop(); }
    ~RunGuard() { Drop(); }
    void Drop() {
      SHDeleteValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                     "QovDesktop");
    }
  } runGuard;
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  m_app.SetMainWnd(&dialog);
  wchar_t self[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring quoted = L"\"" + std::wstring(self) + L"\"";
  std::string shown;  // the page's boxes and time, as each sheet opened
  auto runSheet = [&](const std::function<void(HWND)>& act) {
    std::unique_ptr<ModalDriver> notice;
    ModalDriver driver([&] { return FindOwnedDialog(dialog.m_hWnd, Ui("設定", "Settings")); },
                       [&](HWND sheet) {
      HWND other = ShowPage(sheet, 4);
      for (int box : {IDC_NOTIFY_ICON, IDC_START_WITH_WINDOWS, IDC_EDGE_PUSH, IDC_EDGE_PUSH_DRAGGING,
                      IDC_PAGE_INDICATOR})
        shown += std::to_string(IsDlgButtonChecked(other, box));
      shown += "," + WindowText(GetDlgItem(other, IDC_EDGE_PUSH_TIME)) + "|";
      act(other);
      notice = std::make_unique<ModalDriver>(
          [&] { return FindOwnedDialog(dialog.m_hWnd, Ui("Qovデスクトップ", "QovDesktop")); },
          [](HWND box) { SendMessageA(box, WM_COMMAND, IDOK, 0); }, 1000);
      SendMessageA(sheet, WM_COMMAND, IDOK, 0);
    });
    ChooseFromSystemMenu(dialog.m_hWnd, 2);
    WaitUntil([&] { return driver.Runs() == 1 && notice && notice->Runs() == 1; });
  };
  std::string tab;
  runSheet([&](HWND other) {
    tab = WindowText(other);
    for (int box : {IDC_START_WITH_WINDOWS, IDC_EDGE_PUSH, IDC_NOTIFY_ICON, IDC_PAGE_INDICATOR})
      Click(other, box);
  });
  EXPECT_EQ(tab, Ui("その他", "Other"));
  EXPECT_EQ(RunValue(), quoted);
  EXPECT_EQ(m_app.ReadIntSetting("Setting", "Edge push", -1), 500);  // the time ticking proposed
  EXPECT_EQ(m_app.ReadIntSetting("Setting", "Notify icon", -1), 0);
  EXPECT_EQ(m_app.ReadIntSetting("Setting", "Page indicator", -1), 0);
  EXPECT_EQ(g_notified.back().first, static_cast<DWORD>(NIM_DELETE));
  // Moved since: the value names another place, so the box is clear; ticked,
  // it is put right.  A time below the shortest is held at it.
  SHSetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
              L"QovDesktop", REG_SZ, L"\"C:\\Old\\QovDesktop.exe\"", 52);
  runSheet([&](HWND other) {
    Click(other, IDC_START_WITH_WINDOWS);
    SetDlgItemTextA(other, IDC_EDGE_PUSH_TIME, "50");
  });
  EXPECT_EQ(RunValue(), quoted);
  EXPECT_EQ(m_app.ReadIntSetting("Setting", "Edge push", -1), 200);
  runSheet([&](HWND other) { Click(other, IDC_START_WITH_WINDOWS); });
  EXPECT_EQ(RunValue(), L"<none>");
  EXPECT_EQ(shown, "10001,|00100,500|01100,200|");
  dialog.DestroyWindow();
  m_app.SetMainWnd(nullptr);
}

// The folder dialog and its tree of the shell namespace, driven with the keys
// and selections a user makes.
// The child of `parent` whose parsing name the shell gives as `name`.
HTREEITEM FindChild(HWND tree, HTREEITEM parent, const char* name) {
  for (HTREEITEM item = TreeView_GetChild(tree, parent); item;
       item = TreeView_GetNextSibling(tree, item)) {
    TVITEMA data = {TVIF_HANDLE | TVIF_PARAM, item};
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    const auto* record = reinterpret_cast<const FolderItemData*>(data.lParam);
    STRRET text = {};
    char path[MAX_PATH] = "";
    if (record && SUCCEEDED(record->parentFolder->GetDisplayNameOf(record->relativeId,
                                                                     SHGDN_FORPARSING, &text)))
      StrRetToBufA(&text, record->relativeId, path, MAX_PATH);
    if (lstrcmpiA(path, name) == 0) return item;
  }
  return nullptr;
}

// Selects an item as a click does, then opens it with the right arrow key.
void Expand(HWND tree, HTREEITEM item) {
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  SendMessageA(tree, WM_KEYDOWN, VK_RIGHT, 1);
  SendMessageA(tree, WM_KEYUP, VK_RIGHT, 0xC0000001);
}

class FolderTree : public AppTest {};

TEST_F(FolderTree, SelectionGivesTheFoldersPathOrNone) {
  CWallPaperDirDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HWND tree = GetDlgItem(dialog.m_hWnd, IDC_FOLDER_TREE);
  HTREEITEM computer = FindChild(tree, TVI_ROOT, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
  ASSERT_NE(computer, nullptr);
  Expand(tree, computer);
  HTREEITEM drive = FindChild(tree, computer, "C:\\");
  ASSERT_NE(drive, nullptr);
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(drive));
  EXPECT_EQ(dialog.m_wndTree.m_strPath, "C:\\");  // the parsing name, not the display name
  // Then an item without a folder behind it: no path, not the last one.
  TVINSERTSTRUCTA insert = {drive, TVI_LAST};
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<char*>("nameless");
  LRESULT item = SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, item);
  EXPECT_EQ(dialog.m_wndTree.m_strPath, "");
  dialog.DestroyWindow();
}

// The resource display's figures from stand-ins: drives A: (a floppy), B: (a network drive, slow
// to answer), C:, D: (no medium) and E:; with quotas a volume has more free bytes than one may use.
DWORD WINAPI LogicalDrives() { return 0x1F; }
UINT WINAPI TypeOfDrive(LPCSTR root) {
  return root[0] == 'A' ? DRIVE_REMOVABLE : root[0] == 'B' ? DRIVE_REMOTE : DRIVE_FIXED;
}
volatile LONG g_remoteAsked;
BOOL WINAPI DiskFreeSpace(LPCSTR root, PULARGE_INTEGER mine, PULARGE_INTEGER total,
                                 PULARGE_INTEGER volumeFree) {
  EXPECT_NE(root[0], 'A') << "a floppy would spin up every second";
  if (root[0] == 'D') return FALSE;
  const bool remote = root[0] == 'B';
  if (remote && InterlockedIncrement(&g_remoteAsked) > 0) Sleep(2000);  // a server slow to answer
  if (mine) mine->QuadPart = root[0] == 'C' ? 123456789012 : 222222222222;
  if (mine && remote) mine->QuadPart = 111111111111 * g_remoteAsked;  // more at each answer
  if (total) total->QuadPart = remote ? 444444444444 : root[0] == 'C' ? 987654321098 : 333333333333;
  if (volumeFree) volumeFree->QuadPart = 555555555555;
  return TRUE;
}
BOOL WINAPI MemoryStatus(LPMEMORYSTATUSEX status) {
  *status = {sizeof(MEMORYSTATUSEX), 50, 800000000000, 300000000000, 0, 0, 140737488224256,
             140000000000000,        0};
  return TRUE;
}

std::string DriveRows(const CResourceDialog& dialog) {  // a line a row, columns apart by blanks
  const HWND list = GetDlgItem(dialog.m_hWnd, IDC_DRIVE_LIST);
  std::string rows;
  char text[64];
  for (int cell = 0; cell < ListView_GetItemCount(list) * 3; ++cell) {
    ListView_GetItemText(list, cell / 3, cell % 3, text, sizeof(text));
    rows += text + std::string(cell % 3 < 2 ? " " : "\n");
  }
  return rows;
}

class ResourceDisplay : public AppTest {};

// The network drive is asked off this thread, once at a time; it shows once
// it answers, and then its last figures while it is asked again.
TEST_F(ResourceDisplay, ShowsEachFigureInItsPlace) {
  const HMODULE exe = GetModuleHandleA(nullptr);
  const ImportStandIn standIns[] = {{exe, "kernel32.dll", "GetLogicalDrives", LogicalDrives},
                                    {exe, "kernel32.dll", "GetDriveTypeA", TypeOfDrive},
                                    {exe, "kernel32.dll", "GetDiskFreeSpaceExA", DiskFreeSpace},
                                    {exe, "kernel32.dll", "GlobalMemoryStatusEx", MemoryStatus}};
  for (const ImportStandIn& standIn : standIns) ASSERT_TRUE(standIn.Active());
  const std::string local =
      "C 123,456,789,012 987,654,321,098\nE 222,222,222,222 333,333,333,333\n";
  const std::string all = "B 111,111,111,111 444,444,444,444\n" + local;
  auto tick = [](CResourceDialog& display, int times) {  // its timer stopped, refreshed here alone
    KillTimer(display.m_hWnd, CResourceDialog::kRefreshTimer);
    while (times-- > 0) SendMessageA(display.m_hWnd, WM_TIMER, CResourceDialog::kRefreshTimer, 0);
  };
  const DWORD start = GetTickCount();
  CResourceDialog dialog;
  ASSERT_TRUE(dialog.Create());
  tick(dialog, 3);
  EXPECT_LT(GetTickCount() - start, 1000u);
  EXPECT_EQ(DriveRows(dialog), local);
  EXPECT_TRUE(WaitUntil([&] { return DriveRows(dialog) == all; }));
  Pump(300);
  EXPECT_EQ(g_remoteAsked, 1);  // none more, by the ticks nor by the answer
  std::string figures;
  for (int id : {IDC_PHYSICAL_FREE, IDC_PHYSICAL_TOTAL, IDC_VIRTUAL_FREE, IDC_VIRTUAL_TOTAL})
    figures += WindowText(GetDlgItem(dialog.m_hWnd, id)) + " ";
  EXPECT_EQ(figures, "300,000,000,000 800,000,000,000 140,000,000,000,000 140,737,488,224,256 ");
  // Closed while asked again, the answer finds no dialog; the next one shows
  // the last answer at once, then the fresh one.
  tick(dialog, 2);
  EXPECT_EQ(DriveRows(dialog), all);
  dialog.DestroyWindow();
  CResourceDialog again;
  ASSERT_TRUE(again.Create());
  EXPECT_EQ(DriveRows(again), all);
  const std::string fresh = "B 222,222,222,222 444,444,444,444\n" + local;
  EXPECT_TRUE(WaitUntil([&] { tick(again, 1); return DriveRows(again) == fresh; }));
}

// The edge bars as app bars of Wine's shell.  Wine's explorer clips a query
// only against app bars registered earlier, always answers ABM_GETSTATE with
// auto-hide and always-on-top, and sends only ABN_POSCHANGED itself: the
// other notifications are sent here as the shell would send them.

class EdgeBars : public AppTest {};

bool IsTopmost(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// Which windows were moved or sized, in order.
std::vector<HWND> g_placed;
LRESULT CALLBACK RecordPlacement(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_WINDOWPOSCHANGED) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(message->lParam);
    if (!(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE)) g_placed.push_back(message->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(EdgeBars, DockFollowTheShellsNoticesAndGiveTheirStripsBack) {
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HWND hbar = dialog.m_wndHorizontalBar.m_hWnd, vbar = dialog.m_wndVerticalBar.m_hWnd;
  const RECT h = WindowRect(hbar), v = WindowRect(vbar);
  // Across to the vertical bar (Wine clips against every earlier bar).
  EXPECT_TRUE(h.left == 0 && h.top == cy - 24 && h.right == cx - 24 && h.bottom == cy);
  EXPECT_TRUE(v.left == cx - 24 && v.top == 0 && v.right == cx && v.bottom == cy);
  // A change of the work area docks the vertical bar first, then the other.
  MoveWindow(hbar, 10, 10, 40, 40, TRUE);
  MoveWindow(vbar, 60, 60, 40, 40, TRUE);
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, RecordPlacement, nullptr, GetCurrentThreadId());
  SendMessageA(dialog.m_hWnd, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  UnhookWindowsHookEx(hook);
  std::vector<HWND> bars;
  for (HWND hwnd : g_placed)
    if ((hwnd == hbar || hwnd == vbar) && (bars.empty() || bars.back() != hwnd))
      bars.push_back(hwnd);
  EXPECT_EQ(bars, (std::vector<HWND>{vbar, hbar}));
  // Wine's taskbar is always on top: so is a bar told of it, until painted.
  SendMessageA(hbar, WM_HBAR_NOTIFY, ABN_STATECHANGE, 0);
  EXPECT_TRUE(IsTopmost(hbar));
  RedrawWindow(hbar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_FALSE(IsTopmost(hbar));
  MoveWindow(hbar, 100, 100, 50, 50, TRUE);  // moved away: docked again on a position change
  SendMessageA(hbar, WM_HBAR_NOTIFY, ABN_POSCHANGED, 0);
  EXPECT_TRUE(SameRect(WindowRect(hbar), h));
  // Another tool's bar registered later is granted what ours leave.
  APPBARDATA later = {sizeof(later)};
  later.hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(SHAppBarMessage(ABM_NEW, &later));
  auto grantedRight = [&] {
    // Wine's shell clips against the bars registered before this one only.
    SHAppBarMessage(ABM_REMOVE, &later);
    SHAppBarMessage(ABM_NEW, &later);
    later.uEdge = ABE_RIGHT;
    SetRect(&later.rc, cx - 10, 0, cx, cy);
    SHAppBarMessage(ABM_QUERYPOS, &later);
    return later.rc.right;
  };
  EXPECT_EQ(grantedRight(), cx - 24);
  // A restarted shell has forgotten both bars; its broadcast brings them back.
  for (HWND bar : {hbar, vbar}) {
    APPBARDATA data = {sizeof(data), bar};
    SHAppBarMessage(ABM_REMOVE, &data);
  }
  EXPECT_EQ(grantedRight(), cx);
  // ... and hooks its new desktop thread.
  ShellStandIn shell;
  ASSERT_TRUE(shell.Started());
  ImportStandIn spy(GetModuleHandleA(nullptr), HelperPath("QOV32.dll").c_str(),
                    MAKEINTRESOURCEA(9), SpySetHookDesktop);
  g_realSetHookDesktop = reinterpret_cast<BOOL(WINAPI*)(DWORD)>(spy.Original());
  g_iconAtInstall.clear();
  PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  Pump(300);
  EXPECT_EQ(grantedRight(), cx - 24);
  EXPECT_TRUE(SameRect(WindowRect(vbar), v));
  EXPECT_EQ(g_iconAtInstall.size(), 1u);
  // Moved onto a monitor of 150 %, the bar takes the thickness for it.
  LookUpStandIns lookUps;
  g_dpi = 144;
  SendMessageA(hbar, fw::kWmDpiChanged, MAKEWPARAM(144, 144), 0);
  g_dpi = 0;
  const RECT scaled = WindowRect(hbar), control = WindowRect(GetTopWindow(hbar));
  EXPECT_TRUE(scaled.bottom - scaled.top == 36 && control.bottom - control.top == 30);
  dialog.DestroyWindow();
  EXPECT_EQ(grantedRight(), cx);
  SHAppBarMessage(ABM_REMOVE, &later);
  DestroyWindow(later.hWnd);
}

// Several monitors, through stand-ins for the calls that list them: the
// monitors of g_monitors, the primary the one at g_primary.
std::vector<RECT> g_monitors;
size_t g_primary = 0;
BOOL WINAPI ListMonitors(HDC, LPCRECT, MONITORENUMPROC proc, LPARAM data) {
  for (size_t i = 0; i < g_monitors.size(); ++i)
    if (!proc(reinterpret_cast<HMONITOR>(i + 1), nullptr, &g_monitors[i], data)) return FALSE;
  return TRUE;
}
BOOL WINAPI MonitorInfo(HMONITOR monitor, LPMONITORINFO info) {
  const size_t i = reinterpret_cast<size_t>(monitor) - 1;
  if (i >= g_monitors.size()) return FALSE;
  info->rcMonitor = info->rcWork = g_monitors[i];
  info->dwFlags = i == g_primary ? MONITORINFOF_PRIMARY : 0;
  return TRUE;
}
struct MonitorStandIns {
  explicit MonitorStandIns(std::vector<RECT> monitors, size_t primary = 0) {
    g_monitors = std::move(monitors);
    g_primary = primary;
  }
  ImportStandIn list{GetModuleHandleA(nullptr), "user32.dll", "EnumDisplayMonitors", ListMonitors};
  ImportStandIn info{GetModuleHandleA(nullptr), "user32.dll", "GetMonitorInfoA", MonitorInfo};
};

// Where the overview's window is made.
POINT g_overviewMadeAt = {-1, -1};
LRESULT CALLBACK NoteOverviewMade(int code, WPARAM wParam, LPARAM lParam) {
  const CREATESTRUCTA* create = code == HCBT_CREATEWND ? reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs : nullptr;
  if (create && HIWORD(reinterpret_cast<ULONG_PTR>(create->lpszName)) &&
      lstrcmpA(create->lpszName, Ui("全体図", "Overview")) == 0)
    g_overviewMadeAt = {create->x, create->y};
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(EdgeBars, TwoMonitorsMakeOnePageWithTheBarsOnItsOuterEdges) {
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  MonitorStandIns monitors({{0, 0, cx, cy}, {cx, 0, 2 * cx, cy}});  // the second to the right
  ASSERT_TRUE(monitors.list.Active() && monitors.info.Active());
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar& hbar = dialog.m_wndHorizontalBar;
  EXPECT_EQ(hbar.m_nPageSize, 2 * cx);
  EXPECT_TRUE(SameRect(WindowRect(hbar.m_hWnd), {0, cy - 24, cx, cy}));
  EXPECT_TRUE(SameRect(WindowRect(dialog.m_wndVerticalBar.m_hWnd), {2 * cx - 24, 0, 2 * cx, cy}));
  // A window maximised on the second monitor is on the view: no jump to it.
  HWND browser = CreateWindowExA(0, "STATIC", "Browser", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 99, 99, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongA(browser, GWL_STYLE, GetWindowLongA(browser, GWL_STYLE) | WS_MAXIMIZE);
  MoveWindow(browser, cx - 4, -4, cx + 8, cy + 8, FALSE);
  ASSERT_TRUE(Activate(browser) && IsZoomed(browser));
  dialog.FollowActiveWindow();
  Pump(200);
  EXPECT_EQ(hbar.m_nPosition, hbar.Home());
  DestroyWindow(browser);
  // An L: a shorter monitor to the right leaves a gap that gather brings a
  // window out of, to the nearer monitor (the one right of it).
  g_monitors[1] = {cx, 0, 2 * cx, cy / 2};
  SendMessageA(dialog.m_hWnd, WM_SETTINGCHANGE, 0, 0);
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Gap|" + std::to_string(cx + 100) + "," + std::to_string(cy / 2 + 10) +
                          ",200,100|"}));
  ChooseFromSystemMenu(dialog.m_hWnd, 7);
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(host.Windows()[0]).y == cy / 2 - 100; }));
  EXPECT_EQ(TopLeft(host.Windows()[0]).x, cx + 100);
  // Stacked, the second below the first and wider: both bars on the lower
  // one, the horizontal bar's scroll bar as long as that monitor allows.
  g_monitors[1] = {0, cy, cx + 256, 2 * cy};
  SendMessageA(dialog.m_hWnd, WM_SETTINGCHANGE, 0, 0);
  // (Wine's shell clips it against the vertical bar.)
  const RECT lower = WindowRect(hbar.m_hWnd), control = WindowRect(hbar.m_ScrollBar.m_hWnd);
  EXPECT_TRUE(lower.left == 0 && lower.top == 2 * cy - 24 && lower.bottom == 2 * cy);
  RECT client;
  GetClientRect(hbar.m_hWnd, &client);
  EXPECT_EQ(control.right - control.left, client.right - 2);
  EXPECT_TRUE(SameRect(WindowRect(dialog.m_wndVerticalBar.m_hWnd), {cx + 232, cy, cx + 256, 2 * cy}));
  dialog.DestroyWindow();
  // The jump's corner counts from the primary monitor's, which need not be
  // listed first nor stand at the page's corner.
  MonitorStandIns leftOfPrimary({{-cx, 0, 0, cy}, {0, 0, cx, cy}}, 1);
  CQovDesktopDialog again;
  ASSERT_TRUE(again.Create());
  ASSERT_TRUE(Activate(host.Windows()[0]));
  MoveWindow(host.Windows()[0], 100, 120, 200, 100, TRUE);
  again.FollowActiveWindow();
  EXPECT_TRUE(again.m_nRecordedLeft == 100 && again.m_nRecordedTop == 120);
  // A monitor above the primary, where the main window waits: the overview
  // is made on the active window's monitor, for its DPI, and takes a later
  // change of DPI as Windows proposes it.
  g_monitors = {{0, 0, cx, cy}, {0, -cy, cx, 0}};
  g_primary = 0;
  HHOOK made = SetWindowsHookExA(WH_CBT, NoteOverviewMade, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(again.m_overview.Open(&again));
  UnhookWindowsHookEx(made);
  EXPECT_TRUE(g_overviewMadeAt.x >= 0 && g_overviewMadeAt.y >= 0 && g_overviewMadeAt.y < cy)
      << g_overviewMadeAt.x << "," << g_overviewMadeAt.y;
  RECT suggested = {40, 30, 640, 430};
  SendMessageA(again.m_overview.m_hWnd, fw::kWmDpiChanged, MAKEWPARAM(120, 120),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_TRUE(SameRect(WindowRect(again.m_overview.m_hWnd), suggested));
}

// Scrolling the virtual screen: windows of another program moved.

class Scrolling : public AppTest {};

// Sends a scroll code to a bar as its scroll bar control would.
void Scroll(CEdgeBar& bar, bool horizontal, int code, int thumb = 0) {
  SendMessageA(bar.m_hWnd, horizontal ? WM_HSCROLL : WM_VSCROLL,
               MAKEWPARAM(code, static_cast<WORD>(thumb)),
               reinterpret_cast<LPARAM>(bar.m_ScrollBar.m_hWnd));
}

// A function of user32 itself, past any stand-in in this program's imports.
template <typename F>
F* RealUser32(F*, const char* name) {
  return reinterpret_cast<F*>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

// The probes a scroll sends to a thread to see whether it took its moves.
int g_probes = 0;
DWORD g_probed = 0;
LRESULT WINAPI CountProbes(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                           UINT ms, PDWORD_PTR result) {
  static const auto real = RealUser32(SendMessageTimeoutA, "SendMessageTimeoutA");
  if (message == WM_NULL && GetWindowThreadProcessId(hwnd, nullptr) == g_probed) ++g_probes;
  return real(hwnd, message, wParam, lParam, flags, ms, result);
}

TEST_F(Scrolling, MovesTitledWindowsAndKeepsTheViewUntilTheSessionEnds) {
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Shown|200,150,300,200|", "|Owned|260,210,200,100|o",
                          "|Hidden|140,160,300,200|h", "|Iconic|180,200,300,200|m"}));
  HWND moved[] = {host.Find("Shown"), host.Find("Owned"), host.Find("Hidden")};
  HWND iconic = host.Find("Iconic");
  ASSERT_EQ(GetWindow(moved[1], GW_OWNER), moved[0]);
  WINDOWPLACEMENT iconicBefore = {sizeof(iconicBefore)};
  GetWindowPlacement(iconic, &iconicBefore);
  POINT start[3];
  for (int i = 0; i < 3; ++i) start[i] = TopLeft(moved[i]);

  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar& hbar = dialog.m_wndHorizontalBar;
  CEdgeBar& vbar = dialog.m_wndVerticalBar;
  Scroll(hbar, true, SB_PAGERIGHT);
  Scroll(vbar, false, SB_THUMBTRACK, vbar.m_nPageSize + 100);
  const int dx = -hbar.m_nPageSize, dy = -100;  // from the middle of three screens
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(TopLeft(moved[i]).x == start[i].x + dx && TopLeft(moved[i]).y == start[i].y + dy);
  WINDOWPLACEMENT iconicAfter = {sizeof(iconicAfter)};
  GetWindowPlacement(iconic, &iconicAfter);
  EXPECT_EQ(iconicAfter.rcNormalPosition.left, iconicBefore.rcNormalPosition.left);
  // Kept while either axis is away from the start, in a key that goes at
  // log-off, as the windows' places do.
  const std::string kept = m_key + "\\View\\Default";
  HKEY child = nullptr;
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (kept + "\\x").c_str(), 0, nullptr, 0,
                            KEY_WRITE, nullptr, &child, nullptr),
            ERROR_CHILD_MUST_BE_VOLATILE);
  Scroll(hbar, true, SB_PAGELEFT);
  EXPECT_TRUE(KeyExists(kept));

  // The end of the session: the windows are home when Windows asks, before
  // any program saves its place at WM_ENDSESSION.
  EXPECT_EQ(SendMessageA(dialog.m_hWnd, WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageA(moved[0], WM_QUERYENDSESSION, 0, 0);
  SendMessageA(moved[0], WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropA(moved[0], "endX")), start[0].x);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(TopLeft(moved[i]).x, start[i].x) << i;
  EXPECT_FALSE(KeyExists(m_key + "\\View"));
  // Cancelled, it leaves the view at home; ended, whatever moved since goes
  // home too, without waiting for any program.
  SendMessageA(dialog.m_hWnd, WM_ENDSESSION, FALSE, 0);
  EXPECT_TRUE(hbar.m_nPosition == hbar.Home() && hbar.m_ScrollBar.GetScrollPos() == hbar.Home());
  Scroll(hbar, true, SB_PAGELEFT);
  {
    g_probes = 0;
    g_probed = GetWindowThreadProcessId(moved[0], nullptr);
    ImportStandIn probes(GetModuleHandleA(nullptr), "user32.dll", "SendMessageTimeoutA",
                         CountProbes);
    SendMessageA(dialog.m_hWnd, WM_ENDSESSION, TRUE, 0);
  }
  EXPECT_EQ(g_probes, 0);
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(moved[0]).x == start[0].x; }));
  dialog.DestroyWindow();

  // A kept view further from the start than this run's range reaches (the
  // screen count went down since): the view starts at the end of the range
  // and the windows are moved by what it cannot show.
  SetDword(kept, "Left offset", 2 * hbar.m_nPageSize);
  SetDword(kept, "Top offset", 0);
  CQovDesktopDialog again;
  ASSERT_TRUE(again.Create());
  EXPECT_EQ(again.m_wndHorizontalBar.m_nPosition, again.m_wndHorizontalBar.Maximum());
  EXPECT_EQ(TopLeft(moved[0]).x, start[0].x + hbar.m_nPageSize);
}

TEST_F(Scrolling, AProgramThatDoesNotAnswerHoldsUpNoScroll) {
  WindowHost stuck;
  ASSERT_TRUE(stuck.Start({"|Stuck|300,250,200,150|"}));
  HWND hung = stuck.Windows()[0];
  const POINT hungStart = TopLeft(hung);
  CHorizontalScrollDialog bar;
  EdgeBarSettings settings;
  settings.screenCount = 3;
  ASSERT_TRUE(bar.Create(nullptr, settings));
  const int home = bar.m_nPosition;

  stuck.Hang(6000);
  Sleep(200);
  Scroll(bar, true, SB_PAGERIGHT);
  // A drag while it sleeps: each message moves it on from where it is going,
  // without waiting for it again.
  {
    g_probed = GetWindowThreadProcessId(hung, nullptr);
    ImportStandIn probes(GetModuleHandleA(nullptr), "user32.dll", "SendMessageTimeoutA",
                         CountProbes);
    ASSERT_TRUE(probes.Active());
    for (int i = 1; i <= 60; ++i)
      Scroll(bar, true, SB_THUMBTRACK, bar.Maximum() * (60 - i) / 60 + 7);
  }
  EXPECT_EQ(g_probes, 0);
  const int dx = home - bar.m_nPosition;
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(hung).x == hungStart.x + dx; }, 10000));

  // Destroyed while a move of it is pending: nothing is left behind.
  stuck.Hang(10000);
  Sleep(200);
  Scroll(bar, true, SB_PAGELEFT);
  EXPECT_GT(PendingMoveCount(), 0u);
  stuck.Proc().Kill();
  Pump(1200);
  Scroll(bar, true, SB_LINELEFT);
  EXPECT_EQ(PendingMoveCount(), 0u);
}

TEST_F(Scrolling, ABusyProgramCostsAScrollOneWaitWhateverItsWindows) {
  WindowHost busy;
  ASSERT_TRUE(busy.Start({"|B1|100,100,200,150|", "|B2|120,120,200,150|", "|B3|140,140,200,150|",
                          "|B4|160,160,200,150|", "|B5|180,180,200,150|"}));
  CHorizontalScrollDialog bar;
  EdgeBarSettings settings;
  settings.screenCount = 3;
  ASSERT_TRUE(bar.Create(nullptr, settings));
  auto pageScrollMs = [&](int code) {
    const DWORD t0 = GetTickCount();
    Scroll(bar, true, code);
    return static_cast<int>(GetTickCount() - t0);
  };
  const int answering = pageScrollMs(SB_PAGERIGHT);
  busy.Hang(3000);
  Sleep(200);
  // Busy for less than Windows' 5 s that would call it hung: one wait of
  // 100 ms for the thread, not one per window.
  EXPECT_LT(pageScrollMs(SB_PAGELEFT), answering + 300);
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(busy.Windows()[4]).x == 180; }, 5000));
}

// The tick count as the program reads it, g_later milliseconds on.
DWORD g_later = 0;
DWORD WINAPI LaterTicks() {
  static const auto real = reinterpret_cast<DWORD(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount")));
  return real() + g_later;
}

// A program that answers at once but takes the moves asked of it late (as
// Windows programs take posted moves after the probe): every move still
// ends exactly at its place, ticks between the scrolls and the homing at
// the end of the session included, and the overview shows its windows
// where they are going.  Its thread is asked once a tick, however many of
// its windows are on their way; a window that stays where it was while its
// program answers counts as refused after 10 s.
TEST_F(Scrolling, LateMovesEndAtTheirPlace) {
  WindowHost late;
  ASSERT_TRUE(late.Start({"|Late|300,200,200,150|l", "|Late2|320,220,200,150|l",
                          "|Refuses|340,240,200,150|r"}));
  m_app.WriteIntSetting("Screen", "Width", 5);
  HWND window = late.Windows()[0], refuses = late.Windows()[2];
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar& hbar = dialog.m_wndHorizontalBar;
  const int page = hbar.m_nPageSize, home = hbar.Home();
  Scroll(hbar, true, SB_PAGERIGHT);
  {
    g_probes = 0;
    g_probed = GetWindowThreadProcessId(window, nullptr);
    ImportStandIn probes(GetModuleHandleA(nullptr), "user32.dll", "SendMessageTimeoutA",
                         CountProbes);
    SendMessageA(dialog.m_hWnd, WM_TIMER, CQovDesktopDialog::kFollowTimer, 0);
  }
  EXPECT_EQ(g_probes, 1);
  Scroll(hbar, true, SB_PAGERIGHT);
  // Opened while the moves are on their way: the window is where it is going
  // on the virtual screen, and stays there through a click on the top-right
  // page and the landing of its moves.
  COverview& overview = dialog.m_overview;
  ASSERT_TRUE(overview.Open(&dialog));
  auto shownAt = [&] {
    for (const COverview::Shown& w : overview.Windows())
      if (w.hwnd == window) return w.place.left;
    return -1;
  };
  EXPECT_EQ(shownAt(), 300 + home);
  const core::Rect topRight = core::ToOverview(
      overview.Scale(), {4 * page, 0, 5 * page, dialog.m_wndVerticalBar.m_nPageSize});
  SendMessageA(overview.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(topRight.left + 5, topRight.top + 5));
  SendMessageA(overview.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(topRight.left + 5, topRight.top + 5));
  EXPECT_TRUE(hbar.m_nPosition == 4 * page && dialog.m_wndVerticalBar.m_nPosition == 0);
  EXPECT_EQ(shownAt(), 300 + home);
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(window).x == 300 + home - 4 * page; }, 12000));
  Pump(1100);
  EXPECT_EQ(shownAt(), 300 + home);
  overview.DestroyWindow();
  // Refused: still on its way while its program answers, dropped once that
  // has gone on for 10 s; then moved from where it stands.
  EXPECT_EQ(TopLeft(refuses).x, 340);
  EXPECT_EQ(PendingMoveCount(), 1u);
  {
    ImportStandIn clock(GetModuleHandleA(nullptr), "kernel32.dll", "GetTickCount", LaterTicks);
    g_later = 11000;
    SendMessageA(dialog.m_hWnd, WM_TIMER, CQovDesktopDialog::kFollowTimer, 0);
    g_later = 0;
  }
  EXPECT_EQ(PendingMoveCount(), 0u);
  PostMessageA(refuses, WM_APP + 2, 0, 0);
  Scroll(hbar, true, SB_PAGELEFT);
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(refuses).x == 340 + page; }));
  Pump(1100);
  EXPECT_EQ(TopLeft(window).x, 300 + home - 4 * page);  // not yet taken
  SendMessageA(dialog.m_hWnd, WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(window).x == 300 && TopLeft(window).y == 200; }, 8000))
      << TopLeft(window).x;
}

TEST_F(Scrolling, ANewScreenSizeBringsTheWindowsHomeByTheOldPage) {
  WindowHost host;
  ASSERT_TRUE(host.Start({"|W|300,200,200,150|"}));
  const int page = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  MonitorStandIns monitors({{0, 0, page, cy}});
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar& hbar = dialog.m_wndHorizontalBar;
  Scroll(hbar, true, SB_PAGERIGHT);
  g_monitors.push_back({page, 0, page + 256, cy});  // a small monitor plugged in
  SendMessageA(dialog.m_hWnd, WM_DISPLAYCHANGE, 32, 0);
  EXPECT_EQ(TopLeft(host.Windows()[0]).x, 300);
  EXPECT_TRUE(hbar.m_nPosition == page + 256 && hbar.Home() == page + 256);
  EXPECT_FALSE(KeyExists(m_key + "\\View"));
}

// A window of a program with higher rights, which the system will not let
// this program move: it stays, with no move left pending and no probe.
HWND g_elevated = nullptr;
BOOL WINAPI RefuseElevated(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
  static const auto real = RealUser32(SetWindowPos, "SetWindowPos");
  if (hwnd != g_elevated) return real(hwnd, after, x, y, cx, cy, flags);
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

TEST_F(Scrolling, WindowsTheSystemWillNotLetUsMoveStayWithNothingPending) {
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Elevated|300,250,200,150|", "|Plain|100,100,200,150|"}));
  g_elevated = host.Windows()[0];
  CHorizontalScrollDialog bar;
  EdgeBarSettings settings;
  settings.screenCount = 5;
  ASSERT_TRUE(bar.Create(nullptr, settings));
  ImportStandIn refuse(GetModuleHandleA(nullptr), "user32.dll", "SetWindowPos", RefuseElevated);
  ASSERT_TRUE(refuse.Active());
  ImportStandIn probes(GetModuleHandleA(nullptr), "user32.dll", "SendMessageTimeoutA",
                       CountProbes);
  g_probes = 0;
  g_probed = GetWindowThreadProcessId(g_elevated, nullptr);
  Scroll(bar, true, SB_PAGERIGHT);
  Scroll(bar, true, SB_PAGERIGHT);
  EXPECT_EQ(TopLeft(g_elevated).x, 300);
  EXPECT_EQ(TopLeft(host.Windows()[1]).x, 100 - 2 * bar.m_nPageSize);
  EXPECT_EQ(PendingMoveCount(), 0u);
  EXPECT_EQ(g_probes, 2);  // the other window's thread, once a scroll
}

// The view from the keyboard: Win+Ctrl+Alt with the arrows, Home and P,
// pressed as a user does; gathering windows; pinned windows.
class ViewKeys : public AppTest {};

void PressWithWinCtrlAlt(BYTE key) {
  const BYTE keys[] = {VK_LWIN, VK_CONTROL, VK_MENU, key};
  for (BYTE k : keys) keybd_event(k, 0, 0, 0);
  for (int i = 3; i >= 0; --i) keybd_event(keys[i], 0, KEYEVENTF_KEYUP, 0);
  Pump(200);
}

TEST_F(ViewKeys, PageHomePinAndGather) {
  const int cx = GetSystemMetrics(SM_CXSCREEN);
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Editor|100,100,300,200|", "|Find|130,130,200,100|o",
                          "|Clock|500,50,200,100|",
                          "|Far|" + std::to_string(2 * cx + 40) + ",60,300,200|",
                          "|Lost|30000,-9000,300,200|"}));
  HWND editor = host.Windows()[0], find = host.Windows()[1], clock = host.Windows()[2];
  // Another program holds one of the keys before the start: the others work.
  HWND holder = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                nullptr);
  ASSERT_TRUE(RegisterHotKey(holder, 1, MOD_WIN | MOD_CONTROL | MOD_ALT, VK_UP));
  m_app.WriteIntSetting("Screen", "Width", 5);
  ImportStandIn registrations(GetModuleHandleA(nullptr), "user32.dll", "RegisterHotKey",
                              NoteRegisterHotKey);
  ASSERT_TRUE(registrations.Active());
  g_realRegisterHotKey =
      reinterpret_cast<BOOL(WINAPI*)(HWND, int, UINT, UINT)>(registrations.Original());
  g_hotKeyCalls.clear();
  CQovDesktopDialog dialog;
  std::string notice;  // said once at the start
  ModalDriver told([&] { return FindOwnedDialog(dialog.m_hWnd); }, [&](HWND box) {
    notice = WindowText(GetDlgItem(box, 0xFFFF));
    SendMessageA(box, WM_COMMAND, IDOK, 0);
  });
  ASSERT_TRUE(dialog.Create());
  EXPECT_TRUE(WaitUntil([&] { return told.Runs() == 1; }));
  EXPECT_NE(notice.find(Ui("上へ1画面", "One screen up")), std::string::npos) << notice;
  EXPECT_EQ(notice.find(Ui("右へ1画面", "One screen right")), std::string::npos);
  // Each key asks the system not to repeat it (which Windows 7 and later
  // do); the key another program holds is not asked for again.
  const UINT winCtrlAlt = MOD_WIN | MOD_CONTROL | MOD_ALT;
  EXPECT_EQ(HotKeyCallsOf(dialog.m_hWnd, core::kViewKeyRight), std::vector<UINT>{winCtrlAlt | 0x4000});
  EXPECT_EQ(HotKeyCallsOf(dialog.m_hWnd, core::kViewKeyUp), std::vector<UINT>{winCtrlAlt | 0x4000});
  // Held down through three repeats (which Wine sends on regardless), and
  // sent once more while held, the key pages once; let go and pressed again,
  // once more.
  CEdgeBar& hbar = dialog.m_wndHorizontalBar;
  for (BYTE k : {VK_LWIN, VK_CONTROL, VK_MENU}) Key(k, true);
  for (int press = 0; press < 4; ++press) {
    Key(VK_RIGHT, true);
    Pump(60);
  }
  SendMessageA(dialog.m_hWnd, WM_HOTKEY, CViewKeys::IdOf(core::kViewKeyRight),
               MAKELPARAM(winCtrlAlt, VK_RIGHT));
  const int heldPages = (hbar.m_nPosition - hbar.Home()) / cx;
  Key(VK_RIGHT, false);
  Pump(150);
  Key(VK_RIGHT, true);
  Pump(100);
  Key(VK_RIGHT, false);
  for (BYTE k : {VK_MENU, VK_CONTROL, VK_LWIN}) Key(k, false);
  Pump(200);
  EXPECT_EQ(heldPages, 1);
  EXPECT_EQ(hbar.m_nPosition, hbar.Home() + 2 * cx);
  EXPECT_EQ(hbar.m_ScrollBar.GetScrollPos(), hbar.m_nPosition);
  EXPECT_EQ(TopLeft(editor).x, 100 - 2 * cx);
  PressWithWinCtrlAlt(VK_HOME);
  EXPECT_EQ(TopLeft(editor).x, 100);
  EXPECT_FALSE(KeyExists(m_key + "\\View"));
  // The pin key pins the active window, or unpins it.  (Wine's desktop may
  // take the foreground for a moment at the Win key: the press is tried
  // again until the key reached the window.)
  auto pressPin = [&](HWND hwnd, bool pinned) {
    for (int tries = 0; tries < 3 && pins::IsPinned(hwnd) != pinned; ++tries) {
      Activate(hwnd);
      PressWithWinCtrlAlt('P');
    }
    return pins::IsPinned(hwnd) == pinned;
  };
  ASSERT_TRUE(pressPin(clock, true) && !pins::IsPinned(editor));
  // The pinned clock stays through a scroll and a jump.
  PressWithWinCtrlAlt(VK_LEFT);
  EXPECT_TRUE(TopLeft(editor).x == 100 + cx && TopLeft(clock).x == 500);
  dialog.m_nRecordedLeft = -cx + 7;
  dialog.m_nRecordedTop = 9;
  dialog.JumpToRecordedWindow();
  Pump(200);
  EXPECT_TRUE(TopLeft(editor).x == 100 + 2 * cx - 7 && TopLeft(clock).x == 500);
  // Pinned while two pages off the screen, the editor comes onto it by whole
  // pages with its Find box, and both stay there through a scroll.
  ASSERT_TRUE(pressPin(editor, true));
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(editor).x == 93 && TopLeft(find).x == 123; }));
  PressWithWinCtrlAlt(VK_RIGHT);
  EXPECT_TRUE(TopLeft(editor).x == 93 && TopLeft(find).x == 123);
  EXPECT_TRUE(pressPin(clock, false));
  // Gathered: the far window by whole pages, the lost one to the nearest
  // place clear of the bars; the clock, partly on the screen, stays.
  MoveWindow(clock, -150, 50, 200, 100, TRUE);
  ChooseFromSystemMenu(dialog.m_hWnd, 7);
  Pump(300);
  EXPECT_EQ(TopLeft(host.Windows()[3]).x, 40 - 7);
  EXPECT_TRUE(TopLeft(host.Windows()[4]).x == cx - 24 - 300 && TopLeft(host.Windows()[4]).y == 0);
  EXPECT_EQ(TopLeft(clock).x, -150);
  // Put off the screen by its program, the pinned editor and its box come
  // back onto it at the end, by the page, while the others go home.
  MoveWindow(editor, 93 + cx, 91, 300, 200, TRUE);
  MoveWindow(find, 123 + cx, 121, 200, 100, TRUE);
  SendMessageA(dialog.m_hWnd, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(editor).x == 93 && TopLeft(find).x == 123; }));
  EXPECT_EQ(TopLeft(host.Windows()[3]).x, 40 - 7 + 7 - cx);
  DestroyWindow(holder);
}

// The overview, used with the mouse and the keyboard as a user does.  Each
// event carries its own place, so that none lands where the last one was.
void MouseAt(HWND window, POINT client, DWORD buttons) {
  ClientToScreen(window, &client);
  const int cx = GetSystemMetrics(SM_CXSCREEN) - 1, cy = GetSystemMetrics(SM_CYSCREEN) - 1;
  mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons, (client.x * 65535 + cx / 2) / cx,
              (client.y * 65535 + cy / 2) / cy, 0, 0);
  Pump(100);
}

void ClickAt(HWND window, POINT client, DWORD down, DWORD up, int times = 1) {
  for (int i = 0; i < times; ++i) {
    MouseAt(window, client, down);
    MouseAt(window, client, up);
  }
  Pump(200);
}

TEST_F(ViewKeys, TheOverviewMovesTheViewAndTheWindows) {
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Editor|100,100,300,200|", "|Mail|" + std::to_string(cx + 50) + ",80,300,200|"}));
  HWND editor = host.Windows()[0], mail = host.Windows()[1];
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar& hbar = dialog.m_wndHorizontalBar;
  COverview& overview = dialog.m_overview;
  ChooseFromSystemMenu(dialog.m_hWnd, 6);
  Pump(300);
  ASSERT_TRUE(overview.m_hWnd && GetForegroundWindow() == overview.m_hWnd);
  const core::OverviewScale s = overview.Scale();
  auto centreOf = [&](const core::Rect& r) {
    const core::Rect c = core::ToOverview(s, r);
    return POINT{(c.left + c.right) / 2, (c.top + c.bottom) / 2};
  };
  // A right-click pins the editor; a drag moves the mail window a page down.
  const POINT editorAt = centreOf({cx + 100, cy + 100, cx + 400, cy + 300});
  ClickAt(overview.m_hWnd, editorAt, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(pins::IsPinned(editor));
  // Pinned by its program's file name, walked by characters: "ソ" and "ポ"
  // end in the bytes of '\\' and '|' in Shift-JIS, "ア" and "ヂ" differ
  // only in the case of an ASCII letter there.
  LookUpStandIns paths;
  g_process = host.Proc().Id();
  g_imagePath = L"C:\\ツール\\ソフト.EXE";
  pins::SetPrograms(core::SplitProgramNames(u"ポ.exe|ソフト.exe"));
  EXPECT_TRUE(pins::IsPinned(mail));
  g_imagePath = L"C:\\ヂ.exe";
  pins::SetPrograms(core::SplitProgramNames(u"ア.exe"));
  EXPECT_FALSE(pins::IsPinned(mail));
  pins::SetPrograms({});
  // A drag moves a window, without waiting for its program.
  const POINT mailAt = centreOf({2 * cx + 50, cy + 80, 2 * cx + 350, cy + 280});
  MouseAt(overview.m_hWnd, mailAt, MOUSEEVENTF_LEFTDOWN);
  const POINT drop = centreOf({2 * cx + 50, 2 * cy + 80, 2 * cx + 350, 2 * cy + 280});
  MouseAt(overview.m_hWnd, drop, 0);
  g_probes = 0;
  g_probed = GetWindowThreadProcessId(mail, nullptr);
  {
    ImportStandIn probes(GetModuleHandleA(nullptr), "user32.dll", "SendMessageTimeoutA",
                         CountProbes);
    MouseAt(overview.m_hWnd, drop, MOUSEEVENTF_LEFTUP);
  }
  EXPECT_EQ(g_probes, 0);
  const int slack = s.denominator / s.numerator + 1;  // one pixel of the overview
  EXPECT_TRUE(WaitUntil([&] { return std::abs(TopLeft(mail).y - 80 - cy) <= slack; }));
  EXPECT_NEAR(TopLeft(mail).x, cx + 50, slack);
  // A click on the top-right page moves the view there; the pinned editor stays.
  ClickAt(overview.m_hWnd, centreOf({2 * cx, 0, 3 * cx, cy}), MOUSEEVENTF_LEFTDOWN,
          MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(hbar.m_nPosition == 2 * cx && dialog.m_wndVerticalBar.m_nPosition == 0);
  EXPECT_EQ(TopLeft(editor).x, 100);
  // The keyboard: left, down, Enter goes to the middle page and closes.
  for (BYTE key : {VK_LEFT, VK_DOWN, VK_RETURN}) {
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
  }
  Pump(300);
  EXPECT_EQ(hbar.m_nPosition, cx);
  EXPECT_FALSE(IsWindow(overview.m_hWnd));
  // A double-click on the mail window, two pages down, brings the view to it
  // and makes it active.
  PressWithWinCtrlAlt(VK_SPACE);
  const auto& shown = overview.Windows();
  auto mailShown = std::find_if(shown.begin(), shown.end(), [&](auto& w) { return w.hwnd == mail; });
  ASSERT_NE(mailShown, shown.end());
  ClickAt(overview.m_hWnd, centreOf(mailShown->place), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
  EXPECT_EQ(dialog.m_wndVerticalBar.m_nPosition, 2 * cy);
  EXPECT_EQ(GetForegroundWindow(), mail);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(overview.m_hWnd); }, 2000));
}

// The shell's desktop (titled, screen-sized, under all others on every
// Windows) and a window the shell keeps cloaked are no windows of the view:
// the overview neither shows nor drags them, gather and close-all leave them.
TEST_F(ViewKeys, TheDesktopAndCloakedWindowsAreNoWindowsOfTheView) {
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  WindowHost host;
  ASSERT_TRUE(host.Start({"Progman|Program Manager|0,0," + std::to_string(cx) + "," +
                              std::to_string(cy) + "|",
                          "|Cloaked|" + std::to_string(2 * cx + 50) + ",80,300,200|",
                          "|Editor|" + std::to_string(cx + 100) + ",100,300,200|"}));
  HWND desktop = host.Windows()[0], cloaked = host.Windows()[1], editor = host.Windows()[2];
  SetWindowPos(desktop, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  LookUpStandIns dwm;
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  COverview& overview = dialog.m_overview;
  ASSERT_TRUE(overview.Open(&dialog));
  Pump(200);
  std::wstring shown;
  for (const COverview::Shown& w : overview.Windows()) shown += w.title + L"|";
  EXPECT_EQ(shown, L"Editor|");
  // A drag that starts on an empty spot of the start page moves nothing.
  const core::OverviewScale s = overview.Scale();
  const core::Rect start = core::ToOverview(s, {cx, cy, 2 * cx, 2 * cy});
  const POINT from = {(start.left + start.right) / 2, start.bottom - 5};
  MouseAt(overview.m_hWnd, from, MOUSEEVENTF_LEFTDOWN);
  MouseAt(overview.m_hWnd, {from.x, from.y + (start.bottom - start.top) / 2}, 0);
  MouseAt(overview.m_hWnd, {from.x, from.y + (start.bottom - start.top) / 2}, MOUSEEVENTF_LEFTUP);
  Pump(200);
  EXPECT_TRUE(SameRect(WindowRect(desktop), {0, 0, cx, cy}));
  EXPECT_EQ(dialog.m_wndVerticalBar.m_nPosition, dialog.m_wndVerticalBar.Home());
  overview.DestroyWindow();
  ChooseFromSystemMenu(dialog.m_hWnd, 7);
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(editor).x == 100; }));
  EXPECT_TRUE(TopLeft(cloaked).x == 2 * cx + 50 && SameRect(WindowRect(desktop), {0, 0, cx, cy}));
  SendMessageA(dialog.m_hWnd, WM_COMMAND, ID_SYS_CLOSE_ALL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
  Pump(300);
  EXPECT_TRUE(IsWindow(desktop) && IsWindow(cloaked));
}

// A 32-bit build on 64-bit Windows says which package to take, once ever.
TEST_F(ViewKeys, A32BitBuildOn64BitWindowsSaysOnceWhichPackageToTake) {
  LookUpStandIns find;
  ASSERT_TRUE(find.find.Active());
  g_onWow64 = true;
  std::string told;
  for (int start = 0; start < 2; ++start) {
    CQovDesktopDialog dialog;
    ModalDriver box([&] { return FindOwnedDialog(dialog.m_hWnd); }, [&](HWND b) {
      told += WindowText(GetDlgItem(b, 0xFFFF)) + "|";
      SendMessageA(b, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(dialog.Create());
    Pump(400);
  }
  g_onWow64 = false;
  EXPECT_EQ(std::count(told.begin(), told.end(), '|'), 1) << told;
  EXPECT_NE(told.find("for-64-bit-Windows.zip"), std::string::npos) << told;
}

// The program reached from its notification-area icon, which names the page
// the view shows (told by the stand-in that takes the program's calls).
class Reach : public AppTest {};

std::string Tip() { return g_notified.empty() ? std::string() : g_notified.back().second; }

TEST_F(Reach, TheIconsMenuAndClickActAndItsTipNamesThePage) {
  const int cx = GetSystemMetrics(SM_CXSCREEN);
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Far|" + std::to_string(cx + 40) + ",60,300,200|"}));
  HWND away = host.Windows()[0];
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  ASSERT_FALSE(g_notified.empty());
  EXPECT_EQ(g_notified.front().first, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(Tip(), Ui("Qovデスクトップ: 2, 2 （3 x 3）", "QovDesktop: 2, 2 of 3 x 3"));
  PressWithWinCtrlAlt(VK_RIGHT);
  EXPECT_EQ(Tip(), Ui("Qovデスクトップ: 3, 2 （3 x 3）", "QovDesktop: 3, 2 of 3 x 3"));
  Scroll(dialog.m_wndVerticalBar, false, SB_THUMBTRACK, 0);
  EXPECT_EQ(Tip(), Ui("Qovデスクトップ: 3, 1 （3 x 3）", "QovDesktop: 3, 1 of 3 x 3"));
  PressWithWinCtrlAlt(VK_HOME);
  // A restarted shell gets the icon again.
  g_notified.clear();
  PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  Pump(300);
  ASSERT_FALSE(g_notified.empty());
  EXPECT_EQ(g_notified.front().first, static_cast<DWORD>(NIM_ADD));
  // A click opens the overview.
  SendMessageA(dialog.m_hWnd, CQovDesktopDialog::WM_NOTIFY_ICON, 1, NIN_SELECT);
  EXPECT_TRUE(dialog.m_overview.m_hWnd && IsWindowVisible(dialog.m_overview.m_hWnd));
  dialog.m_overview.DestroyWindow();
  // A right-click opens the menu, the system menu's, whose gather acts.
  auto chooseFromIconMenu = [&](int item) {
    PostMessageA(dialog.m_hWnd, CQovDesktopDialog::WM_NOTIFY_ICON, 1, WM_CONTEXTMENU);
    for (int i = 0; i <= item + 1; ++i) {
      const WPARAM key = i == 0 ? VK_HOME : i <= item ? VK_DOWN : VK_RETURN;
      PostMessageA(dialog.m_hWnd, WM_KEYDOWN, key, 1);
      PostMessageA(dialog.m_hWnd, WM_KEYUP, key, 0xC0000001);
    }
  };
  chooseFromIconMenu(7);
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(away).x == 40; }));
  // Its exit ends the program with the windows home, and the icon goes.
  PressWithWinCtrlAlt(VK_RIGHT);
  chooseFromIconMenu(0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog.m_hWnd); }));
  EXPECT_EQ(TopLeft(away).x, 40);
  EXPECT_EQ(g_notified.back().first, static_cast<DWORD>(NIM_DELETE));
}

// Edge push and the page indicator, with the pointer moved as a user's mouse
// moves it and times with wide margins: the pointer rests 800 ms where the
// set time is 300 ms, and touches for 100 ms.
class EdgePush : public AppTest {};

void PointerTo(int x, int y, DWORD buttons = 0) {
  const int cx = GetSystemMetrics(SM_CXSCREEN) - 1, cy = GetSystemMetrics(SM_CYSCREEN) - 1;
  mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons, (x * 65535 + cx / 2) / cx,
              (y * 65535 + cy / 2) / cy, 0, 0);
}

TEST_F(EdgePush, TheViewFollowsThePointerRestingAtAnOuterEdgeOnly) {
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  m_app.WriteIntSetting("Setting", "Edge push", 300);
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Game|0,0," + std::to_string(cx) + "," + std::to_string(cy) + "|h"}));
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar& hbar = dialog.m_wndHorizontalBar;
  CEdgeBar& vbar = dialog.m_wndVerticalBar;
  auto rest = [&](int x, int y, DWORD ms, DWORD buttons = 0) {
    PointerTo(x, y, buttons);
    Pump(ms);
    PointerTo(cx / 2, cy / 2, buttons ? MOUSEEVENTF_LEFTUP : 0);
    Pump(150);
    return std::to_string(hbar.m_nPosition / cx) + std::to_string(vbar.m_nPosition / cy);
  };
  EXPECT_EQ(rest(0, cy / 2, 100), "11");                         // a touch
  EXPECT_EQ(rest(0, cy / 2, 800, MOUSEEVENTF_LEFTDOWN), "11");   // a button held
  EXPECT_EQ(rest(cx - 1, cy / 2, 800), "11");                    // the vertical bar's edge
  EXPECT_EQ(rest(cx / 2, cy - 1, 800), "11");                    // the bottom bar's
  ShowWindow(host.Windows()[0], SW_SHOW);                        // a game in front
  ASSERT_TRUE(Activate(host.Windows()[0]));
  EXPECT_EQ(rest(cx / 2, 0, 800), "11");
  ShowWindow(host.Windows()[0], SW_HIDE);
  // A click on the empty desktop puts the system's desktop window in front,
  // which under Wine is titled and fills the screen: no program's window.
  PointerTo(cx / 2, cy / 2, MOUSEEVENTF_LEFTDOWN);
  PointerTo(cx / 2, cy / 2, MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(WaitUntil([] { return GetForegroundWindow() == GetDesktopWindow(); }));
  EXPECT_EQ(rest(0, cy / 2, 800), "01");
  EXPECT_EQ(rest(0, cy / 3, 800), "01");  // the end of the range
  EXPECT_EQ(rest(cx / 3, 0, 800), "00");
}

TEST_F(EdgePush, AWindowDraggedOverTheRightBarIsCarriedToTheNextPage) {
  const int cx = GetSystemMetrics(SM_CXSCREEN);
  m_app.WriteIntSetting("Setting", "Edge push", 300);
  m_app.WriteIntSetting("Setting", "Edge push only while dragging", 1);
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Carried|200,200,300,200|", "|Stays|100,100,200,100|"}));
  HWND carried = host.Windows()[0], stays = host.Windows()[1];
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar& hbar = dialog.m_wndHorizontalBar;
  ASSERT_TRUE(Activate(carried));
  // By its title bar, in steps, to the middle of the vertical bar.
  const int grabX = 350, grabY = WindowRect(carried).top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2;
  PointerTo(grabX, grabY, MOUSEEVENTF_LEFTDOWN);
  Pump(200);
  for (int x = grabX; x < cx - 12; x += 60) {
    PointerTo(x, grabY);
    Pump(30);
  }
  PointerTo(cx - 12, grabY);
  const RECT held = (Pump(100), WindowRect(carried));
  Pump(800);
  EXPECT_EQ(hbar.m_nPosition, hbar.Home() + cx);
  EXPECT_EQ(TopLeft(stays).x, 100 - cx);
  EXPECT_TRUE(SameRect(WindowRect(carried), held));  // still under the pointer
  PointerTo(cx - 12, grabY, MOUSEEVENTF_LEFTUP);
  Pump(300);
  EXPECT_TRUE(SameRect(WindowRect(carried), held));
  // A page further on the virtual screen: back at the start, it stands a
  // page right of where it was dropped.
  PressWithWinCtrlAlt(VK_HOME);
  EXPECT_EQ(TopLeft(carried).x, held.left + cx);
}

// The page indicator after a key: shown over the active window's monitor,
// it never takes the foreground, the focus or the keyboard, nor a click.
TEST_F(EdgePush, ThePageIndicatorShowsWhereTheViewIsAndTakesNothing) {
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Editor|200,200,600,400|"}));
  HWND editor = host.Windows()[0];
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  ASSERT_TRUE(Activate(editor));
  bool kept = true;
  auto untouched = [&] {
    GUITHREADINFO info = {sizeof(info)};
    GetGUIThreadInfo(GetWindowThreadProcessId(editor, nullptr), &info);
    kept = kept && GetForegroundWindow() == editor && info.hwndFocus == editor;
    return false;
  };
  PressWithWinCtrlAlt(VK_RIGHT);
  HWND indicator = dialog.m_indicator.Window();
  ASSERT_TRUE(indicator && IsWindowVisible(indicator));
  untouched();
  const RECT r = WindowRect(indicator);
  EXPECT_NE(WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2}), indicator);
  const INT_PTR keys = reinterpret_cast<INT_PTR>(GetPropA(editor, "keys"));
  keybd_event('A', 0, 0, 0);
  keybd_event('A', 0, KEYEVENTF_KEYUP, 0);
  WaitUntil(untouched, 300);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropA(editor, "keys")), keys + 1);
  EXPECT_TRUE(IsWindowVisible(indicator));
  WaitUntil(untouched, 1700);
  EXPECT_FALSE(IsWindowVisible(indicator));
  EXPECT_TRUE(kept);
  // Pinning says so, with the window's title.
  PressWithWinCtrlAlt('P');
  EXPECT_TRUE(IsWindowVisible(indicator));
  EXPECT_EQ(dialog.m_indicator.Note(), Ui("ピン留め", "Pinned") == std::string("Pinned")
                                            ? std::wstring(L"Pinned: Editor")
                                            : std::wstring(L"\u30D4\u30F3\u7559\u3081: Editor"));
  // Not over the overview.
  dialog.m_indicator.Hide();
  ASSERT_TRUE(dialog.m_overview.Open(&dialog));
  PressWithWinCtrlAlt(VK_LEFT);
  EXPECT_FALSE(IsWindowVisible(indicator));
}

}  // namespace
