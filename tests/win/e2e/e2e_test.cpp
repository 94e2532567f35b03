// QovDesktop.exe and QovMouse.exe started for real, in processes of their own.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "support/testsupport.h"
#include "tools/shell_standin.h"

using namespace qovtest;

namespace {

// A start makes empty sections under the copy's own name and shows two bars and
// an unseen main window; a second start on the desktop, by any name, ends at once.
TEST(Startup, OneUnseenViewPerDesktopWhateverTheFileName) {
  RunningProgram first("NameA"), second("NameB");
  ASSERT_TRUE(first.Start());
  EXPECT_TRUE(KeyExists(first.Key() + "\\Screen") && KeyExists(first.Key() + "\\Setting"));
  EXPECT_EQ(ValueCount(first.Key() + "\\Screen") + ValueCount(first.Key() + "\\Setting"), 0);
  EXPECT_EQ(TopLevelWindows(first.Proc().Id()).size(), 3u);
  EXPECT_TRUE(GetWindowLongA(first.Main(), GWL_EXSTYLE) & WS_EX_APPWINDOW);  // a taskbar button
  const RECT window = WindowRect(first.Main());
  RECT overlap, screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  EXPECT_FALSE(IntersectRect(&overlap, &window, &screen));
  EXPECT_FALSE(second.Start());
  EXPECT_TRUE(second.Proc().WaitForExit(3000));
  EXPECT_FALSE(KeyExists(second.Key()));
  // Escape ends the program; then the other name starts.
  ASSERT_TRUE(Activate(first.Main()));
  keybd_event(VK_ESCAPE, 0, 0, 0);
  keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
  DWORD exitCode = 1;
  EXPECT_TRUE(first.Proc().WaitForExit(5000, &exitCode) && exitCode == 0);
  ASSERT_TRUE(second.Start());
  EXPECT_TRUE(second.Proc().CloseFrom(second.Main()));
}

// The release package, unpacked into a fresh folder by package_start, starts
// from there with the library beside it, shows its window and bars, and ends.
TEST(Package, StartsFromItsUnpackedFolder) {
  const std::string dir = DirFromEnv("QOV_PACKAGE_DIR");
  if (dir.empty()) GTEST_SKIP() << "run by the package_start test";
  AppKeyGuard delivered("QovDesktop");
  Process program;
  ASSERT_TRUE(program.Start("\"" + dir + "\\QovDesktop.exe\"", dir));
  EXPECT_TRUE(WaitUntil([&] { return TopLevelWindows(program.Id()).size() == 3; }, 10000));
  EXPECT_TRUE(program.CloseFrom(FindWindowA(nullptr, "Qovデスクトップ")));
}

// At 144 DPI (the prefix's "LogPixels", which a program reads at its start)
// both bars are 36 pixels thick with both arrows of their scroll bars inside.
TEST(Display, BarsScaleWithTheDpi) {
  const char desktop[] = "Control Panel\\Desktop";
  SetDword(desktop, "LogPixels", 144);
  RunningProgram program("Dpi");
  const bool started = program.Start();
  SetDword(desktop, "LogPixels", 96);  // the prefix's own, which later programs read
  ASSERT_TRUE(started);
  for (HWND bar : {program.HorizontalBar(), program.VerticalBar()}) {
    const RECT r = WindowRect(bar), control = WindowRect(GetTopWindow(bar));
    EXPECT_EQ(std::min(r.right - r.left, r.bottom - r.top), 36);
    EXPECT_EQ(std::min(control.right - control.left, control.bottom - control.top), 30);
    RECT inside;
    EXPECT_TRUE(IntersectRect(&inside, &r, &control) && EqualRect(&inside, &control));
  }
  // Ended, not killed: Wine's shell would keep a killed program's bars.
  EXPECT_TRUE(program.Proc().CloseFrom(program.Main()));
}

// Bringing the windows home after a killed run and at the end.
::testing::AssertionResult At(HWND hwnd, int x, int y) {
  RECT r = WindowRect(hwnd);
  if (r.left == x && r.top == y) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "at " << r.left << "," << r.top;
}

TEST(View, AKilledRunsSuccessorAndANormalEndBringWindowsHome) {
  RunningProgram program("Home");
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Away|300,200,320,240|"}));
  HWND away = host.Windows()[0];
  ASSERT_TRUE(program.Start());
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  auto scroll = [&](bool horizontal, int code) {
    HWND bar = horizontal ? program.HorizontalBar() : program.VerticalBar();
    SendMessageA(bar, horizontal ? WM_HSCROLL : WM_VSCROLL, code,
                 reinterpret_cast<LPARAM>(GetTopWindow(bar)));
  };
  scroll(true, SB_PAGERIGHT);
  scroll(false, SB_PAGEDOWN);
  ASSERT_TRUE(At(away, 300 - cx, 200 - cy));

  // Killed while scrolled: the next start knows where the windows are, with
  // five screens across now instead of three.
  const HWND deadBars[] = {program.HorizontalBar(), program.VerticalBar()};
  program.Proc().Kill();
  SetDword(program.Key() + "\\Screen", "Width", 5);
  ASSERT_TRUE(program.Start());
  // Wine's shell still counts the dead bars; the new ones stand 24 px thick.
  RECT v = WindowRect(program.VerticalBar());
  EXPECT_EQ(v.right - v.left, 24);
  for (HWND bar : deadBars) {
    APPBARDATA data = {sizeof(data), bar};
    SHAppBarMessage(ABM_REMOVE, &data);
  }
  scroll(true, SB_PAGELEFT);
  scroll(false, SB_PAGEUP);
  EXPECT_TRUE(At(away, 300, 200));

  // Ended from its menu while scrolled, it brings the windows home first.
  scroll(true, SB_PAGELEFT);
  ASSERT_TRUE(At(away, 300 + cx, 200));
  EXPECT_TRUE(program.Proc().CloseFrom(program.Main()));
  EXPECT_TRUE(At(away, 300, 200));
  EXPECT_FALSE(KeyExists(program.Key() + "\\View"));
}

// A start with a command line drives the program already running on the
// desktop (a copy under another name): each command acts, the starter ends
// at once with its exit code, and the program takes nothing but what a
// starter sends.
TEST(Reach, TheCommandLineDrivesTheRunningProgram) {
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  RunningProgram program("Cmd");
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Editor|300,200,300,200|", "|Mail|100,150,300,200|"}));
  HWND editor = host.Windows()[0], mail = host.Windows()[1];
  EXPECT_EQ(program.Command("/gather"), 1);  // none running: nothing else happens
  EXPECT_FALSE(KeyExists(program.Key()));
  ASSERT_TRUE(program.Start());
  // Told before any program is looked for: the usage, in a message box.
  for (const char* bad : {"/?", "/page 0,1", "/dance"}) {
    Process starter;
    ASSERT_TRUE(starter.Start("\"" + program.Path() + "\" " + bad));
    HWND box = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
      for (HWND w : TopLevelWindows(starter.Id())) box = ClassOf(w) == "#32770" ? w : box;
      return box != nullptr;
    })) << bad;
    SendMessageA(box, WM_COMMAND, IDOK, 0);
    DWORD code = 0;
    EXPECT_TRUE(starter.WaitForExit(3000, &code) && code == 2) << bad;
  }
  const DWORD start = GetTickCount();
  EXPECT_EQ(program.Command("/page right"), 0);
  EXPECT_LT(GetTickCount() - start, 1000u);
  EXPECT_TRUE(WaitUntil([&] { return WindowRect(editor).left == 300 - cx; }));
  EXPECT_EQ(program.Command("/page 1,1"), 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowRect(editor).top == 200 + cy; }));
  EXPECT_EQ(WindowRect(editor).left, 300 + cx);
  EXPECT_EQ(program.Command("/page 4,1"), 2);  // outside the 3 x 3 screens
  // Messages that no starter sends change nothing and are answered 0.
  auto send = [&](ULONG_PTR tag, const char* text, DWORD size) {
    COPYDATASTRUCT data = {tag, size, const_cast<char*>(text)};
    return SendMessageA(program.Main(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  };
  EXPECT_EQ(send(0x51564443, "/page 2,2", 10), 1);
  EXPECT_TRUE(WaitUntil([&] { return WindowRect(editor).left == 300; }));
  EXPECT_EQ(send(0x51564444, "/page 1,1", 10) + send(0x51564443, "/page 1,1", 9) +
                send(0x51564443, "/dance", 7) + send(0x51564443, "/page 1,1\0/x", 13) +
                send(0x51564443, nullptr, 0),
            0);
  Pump(300);
  EXPECT_EQ(WindowRect(editor).left, 300);
  // Gathered, jumped to, pinned.
  MoveWindow(mail, 100 + cx, 150, 300, 200, TRUE);
  EXPECT_EQ(program.Command("/gather"), 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowRect(mail).left == 100; }));
  EXPECT_EQ(WindowRect(editor).left, 300);
  // The program notes the window that newly became active at its tick.
  ASSERT_TRUE(Activate(editor));
  Pump(1300);
  ASSERT_TRUE(Activate(mail));
  Pump(1300);
  const RECT noted = WindowRect(mail);
  EXPECT_EQ(program.Command("/jump"), 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowRect(mail).left == 0 && WindowRect(mail).top == 0; }));
  const int homeX = noted.left, homeY = noted.top;
  ASSERT_TRUE(Activate(editor));
  EXPECT_EQ(program.Command("/pin"), 0);
  Pump(200);
  const RECT pinned = WindowRect(editor), before = WindowRect(mail);
  EXPECT_EQ(program.Command("/page up"), 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowRect(mail).top == before.top + cy; }));
  EXPECT_TRUE(SameRect(WindowRect(editor), pinned));
  // The overview, and the settings: a second time, the open sheet to the front.
  EXPECT_EQ(program.Command("/overview"), 0);
  auto shown = [&](const char* japanese, const char* english) {
    const std::string title = GetACP() == 932 ? japanese : english;
    for (HWND w : TopLevelWindows(program.Proc().Id()))
      if (WindowText(w) == title) return w;
    return HWND{};
  };
  EXPECT_TRUE(WaitUntil([&] { return shown("全体図", "Overview") != nullptr; }));
  EXPECT_EQ(program.Command("/settings"), 0);
  HWND sheet = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (sheet = shown("設定", "Settings")) != nullptr; }));
  Activate(editor);
  EXPECT_EQ(program.Command("/settings"), 0);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == sheet; }));
  SendMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
  // Ended from the command line, with the windows home.
  EXPECT_EQ(program.Command("/exit"), 0);
  DWORD code = 1;
  EXPECT_TRUE(program.Proc().WaitForExit(5000, &code) && code == 0);
  EXPECT_TRUE(WindowRect(mail).left == homeX && WindowRect(mail).top == homeY);
  EXPECT_FALSE(KeyExists(program.Key() + "\\View"));
  // A window of the program's class that refuses: no answer worth the name.
  WindowHost refusing;
  ASSERT_TRUE(refusing.Start({"QovDesktopView|Not the program|0,0,50,50|"}));
  EXPECT_EQ(program.Command("/gather"), 3);
}

// QovDesktop.exe and QOV32.dll together: while the program runs, the shell's
// desktop thread shows the stored icon view at each message it takes and
// passes the message on; when it ends, the hook goes with it.
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
    ASSERT_TRUE(program.Proc().CloseFrom(program.Main()));
  }
  // Ended, the program has taken its hook away: the value does nothing more.
  SetRaw(kDesktopKey, "Desktop icon", REG_SZ, "Large", 6);
  ASSERT_TRUE(shell.PostAndWait(5));
  EXPECT_EQ(shell.View(), static_cast<DWORD>(LVS_SMALLICON));
}

// QovMouse.exe end to end: its default keys, its hooks acting on another
// program's window, and their removal when it ends.
const char kMouseKey[] = "Software\\QovSoft\\QovMouse";
const char kHotKeyKey[] = "Software\\QovSoft\\QovMouse\\Hot key";
const char kStartButton[] = "スタートボタンへ移動";

// The README's table of default keys, with each command's value name.
const char* const kDefaults[][2] = {
    {"左へ移動(低速)", "C    A   ←"},       {"右へ移動(低速)", "C    A   →"},
    {"上へ移動(低速)", "C    A   ↑"},       {"下へ移動(低速)", "C    A   ↓"},
    {"左へ移動(高速)", "C    A   4N"},      {"右へ移動(高速)", "C    A   6N"},
    {"上へ移動(高速)", "C    A   8N"},      {"下へ移動(高速)", "C    A   2N"},
    {"画面中央へ移動", "C    A   5N"},      {"画面左端へ移動", "C        4N"},
    {"画面右端へ移動", "C        6N"},      {"画面上端へ移動", "C        8N"},
    {"画面下端へ移動", "C        2N"},      {"画面左上角へ移動", "C    A   7N"},
    {"画面右上角へ移動", "C    A   9N"},    {"画面左下角へ移動", "C    A   1N"},
    {"画面右下角へ移動", "C    A   3N"},    {kStartButton, "C    A   S"},
    {"アクティブなウィンドウへ移動", "C    A   W"}, {"左クリック", "C    A   0N"},
    {"右クリック", "C        0N"}};

std::string HotKeyText(const char* name) {
  char text[64] = {};
  DWORD size = sizeof(text) - 1;
  SHGetValueA(HKEY_CURRENT_USER, kHotKeyKey, name, nullptr, text, &size);
  return text;
}

TEST(Controller, FinishesTheDefaultKeysRunsBothHooksAndRemovesThemAtTheEnd) {
  AppKeyGuard key("QovMouse");
  // The cursor away from the other window, whose mouse moves the hook would note.
  SetCursorPos(700, 600);
  WindowHost host;  // holds Ctrl and Alt down in its key state
  ASSERT_TRUE(host.Start({"|other|100,100,200,200|ca"}));
  HWND other = host.Windows()[0];
  auto send = [&](WPARAM k) {
    auto count = reinterpret_cast<INT_PTR>(GetPropA(other, "keys"));
    PostMessageA(other, WM_SYSKEYDOWN, k, 0);
    if (!WaitUntil([&] { return reinterpret_cast<INT_PTR>(GetPropA(other, "keys")) > count; }))
      return WPARAM{0xDEAD};
    return reinterpret_cast<WPARAM>(GetPropA(other, "key"));
  };

  // A first start that failed halfway: its mark, and one value already in.
  SetDword(kMouseKey, "Writing default keys", 1);
  SetRaw(kHotKeyKey, kStartButton, REG_SZ, "C    A   T", 11);
  Process controller;
  ASSERT_TRUE(controller.Start("\"" + ProgramPath("QovMouse.exe") + "\""));
  ASSERT_TRUE(WaitUntil([&] { return !ValueExists(kMouseKey, "Writing default keys"); }));
  EXPECT_EQ(ValueCount(kHotKeyKey), 21);
  for (const auto& value : kDefaults) {
    const bool kept = std::string(value[0]) == kStartButton;
    EXPECT_EQ(HotKeyText(value[0]), kept ? "C    A   T" : value[1]) << value[1];
  }
  HWND main = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND hwnd : TopLevelWindows(controller.Id(), false))
      if (WindowText(hwnd) == "Qovマウス") main = hwnd;
    return main != nullptr;
  }));

  // Ctrl+Alt+keypad 5 centres the cursor, Ctrl+Alt+→ moves it one pixel.
  ASSERT_TRUE(WaitUntil([&] { return send(VK_NUMPAD5) == 0x200; }));
  POINT p = {};
  EXPECT_TRUE(WaitUntil([&] { return GetCursorPos(&p) && p.x == 512 && p.y == 384; }));
  EXPECT_EQ(send(VK_RIGHT), 0x200u);
  EXPECT_TRUE(WaitUntil([&] { return GetCursorPos(&p) && p.x == 513 && p.y == 384; }));
  EXPECT_EQ(send('T'), 0x200u);  // the value that was in is kept
  EXPECT_EQ(send('S'), static_cast<WPARAM>('S'));

  // Its system menu's close item ends it, and both hooks with it.
  ASSERT_TRUE(controller.CloseFrom(main));
  EXPECT_EQ(send(VK_NUMPAD5), static_cast<WPARAM>(VK_NUMPAD5));
  // The user's own keys are kept at the next start, a set short of one as it is.
  SetRaw(kHotKeyKey, "画面中央へ移動", REG_SZ, "C    A   Q", 11);
  SHDeleteValueA(HKEY_CURRENT_USER, kHotKeyKey, kStartButton);
  Process again;
  ASSERT_TRUE(again.Start("\"" + ProgramPath("QovMouse.exe") + "\""));
  EXPECT_TRUE(WaitUntil([&] { return send('Q') == 0x200; }));
  EXPECT_EQ(send(VK_NUMPAD5), static_cast<WPARAM>(VK_NUMPAD5));
  EXPECT_EQ(ValueCount(kHotKeyKey), 20);
  // Ended, not killed: under Wine a killed one's hooks outlive it, into the next run.
  EXPECT_TRUE(again.CloseFrom(FindWindowA(nullptr, "Qovマウス")));
}

// The 64-bit package carries the 32-bit library, named QOV32x86.dll, and its
// hook host in "x86": the controller starts the host and ends it, when it
// ends from its menu or is killed.  (The 64-bit build stands in for the
// 32-bit one here; the host starts only with the library under its name.)
int HostsRunning(DWORD* id = nullptr) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry = {sizeof(entry)};
  int count = 0;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, "QovHookHost.exe") != 0) continue;
    ++count;
    if (id) *id = entry.th32ProcessID;
  }
  CloseHandle(snapshot);
  return count;
}

// The hook libraries (QOV32*.dll) that the running host has loaded, by path.
std::string HostLibraries() {
  DWORD id = 0;
  if (HostsRunning(&id) != 1) return "no host";
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, id);
  MODULEENTRY32 entry = {sizeof(entry)};
  std::string found;
  for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry)) {
    if (StrCmpNIA(entry.szModule, "QOV32", 5) == 0) found += std::string(entry.szExePath) + ';';
  }
  CloseHandle(snapshot);
  return found;
}

TEST(Controller, StartsTheHookHostOfTheOtherBitnessAndEndsIt) {
  AppKeyGuard key("QovMouse");
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = temp + std::string("QovHost") + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA((dir + "\\x86").c_str(), nullptr);
  for (const char* to : {"\\QovMouse.exe", "\\QOV32.dll", "\\x86\\QovHookHost.exe", "\\x86\\QOV32x86.dll"})
    ASSERT_TRUE(CopyFileA(ProgramPath(std::strrchr(to, '\\') + 1).c_str(), (dir + to).c_str(), FALSE));
  ASSERT_EQ(HostsRunning(), 0);
  for (bool killed : {false, true}) {
    Process controller;
    ASSERT_TRUE(controller.Start("\"" + dir + "\\QovMouse.exe\""));
    EXPECT_TRUE(WaitUntil([] { return HostsRunning() == 1; }));
    // It runs with the library under its own name, from its own folder.
    const std::string library = dir + "\\x86\\QOV32x86.dll;";
    EXPECT_TRUE(WaitUntil([&] { return lstrcmpiA(HostLibraries().c_str(), library.c_str()) == 0; }))
        << HostLibraries();
    if (killed) {
      controller.Kill();
    } else {
      HWND main = nullptr;
      ASSERT_TRUE(WaitUntil([&] { return (main = FindWindowA(nullptr, "Qovマウス")) != nullptr; }));
      EXPECT_TRUE(controller.CloseFrom(main));
    }
    EXPECT_TRUE(WaitUntil([] { return HostsRunning() == 0; })) << killed;
  }
  for (const char* file : {"\\x86\\QovHookHost.exe", "\\x86\\QOV32x86.dll", "\\QovMouse.exe", "\\QOV32.dll"})
    WaitUntil([&] { return DeleteFileA((dir + file).c_str()) != 0; }, 3000);
  RemoveDirectoryA((dir + "\\x86").c_str());
  RemoveDirectoryA(dir.c_str());
}

}  // namespace
